#include "support/sound_level.h"

#include <cmath>

double rms(const int16_t* samples, size_t count, size_t stride) {
  if (count == 0) return 0;
  double sum = 0;
  for (size_t i = 0; i < count; ++i) {
    double value = samples[i * stride] / 32768.0;
    sum += value * value;
  }
  return std::sqrt(sum / double(count));
}

soundSpan lastSound(const int16_t* samples, size_t frames, size_t gapFrames) {
  // The output writes exact zeros while nothing plays.
  auto silent = [samples](size_t frame) { return samples[2 * frame] == 0 && samples[2 * frame + 1] == 0; };
  soundSpan span{0, frames};
  while (span.end > 0 && silent(span.end - 1)) --span.end;
  span.first = span.end;
  for (size_t zeros = 0; span.first > 0 && zeros < gapFrames; --span.first)
    zeros = silent(span.first - 1) ? zeros + 1 : 0;
  // Past the gap: back to the first sound after it.
  while (span.first < span.end && silent(span.first)) ++span.first;
  return span;
}
