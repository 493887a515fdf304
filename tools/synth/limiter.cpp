#include "limiter.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

void limitPeaks(stereoBuffer* mix, const limiterSettings& settings) {
  size_t frames = mix->frames();
  size_t window = std::max<size_t>(1, size_t(settings.lookahead * kSampleRate));
  std::vector<float> needed(frames);
  for (size_t i = 0; i < frames; ++i) {
    float peak = std::max(std::fabs(mix->left[i]), std::fabs(mix->right[i]));
    needed[i] = peak > settings.ceiling ? settings.ceiling / peak : 1.0f;
  }

  // The lowest gain needed anywhere in the next `window` frames (a sliding
  // minimum kept in a queue of candidates).
  std::vector<float> ahead(frames);
  std::deque<size_t> candidates;
  for (size_t i = frames; i-- > 0;) {
    while (!candidates.empty() && needed[candidates.back()] >= needed[i]) candidates.pop_back();
    candidates.push_back(i);
    while (candidates.front() > i + window) candidates.pop_front();
    ahead[i] = needed[candidates.front()];
  }

  // Release slowly, then average over the look-ahead: the ramp down starts a
  // window early and is complete at the peak, since every frame it averages
  // already looked ahead to that peak.
  double recover = 1.0 - std::exp(-1.0 / (settings.release * kSampleRate));
  std::vector<double> held(frames);
  double gain = 1.0;
  for (size_t i = 0; i < frames; ++i) {
    gain = std::min(double(ahead[i]), gain + (1.0 - gain) * recover);
    held[i] = gain;
  }
  double sum = 0;
  for (size_t i = 0; i < frames; ++i) {
    sum += held[i];
    if (i >= window + 1) sum -= held[i - window - 1];
    double average = sum / double(std::min(i + 1, window + 1));
    mix->left[i] = float(mix->left[i] * average);
    mix->right[i] = float(mix->right[i] * average);
  }
}
