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
