#include "test_track.h"

#include <algorithm>
#include <cmath>

#include "oscillators.h"
#include "stereo_buffer.h"

std::vector<int16_t> makeTestTrack() {
  constexpr double kAmplitude = 0.5;
  constexpr double kRamp = 0.01;
  int frames = int(kTestTrackSeconds * kSampleRate);
  std::vector<int16_t> samples;
  samples.reserve(size_t(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double envelope = std::min(1.0, std::min(t, kTestTrackSeconds - t) / kRamp);
    double gain = kAmplitude * envelope * 32767;
    samples.push_back(int16_t(std::lround(gain * std::sin(kTwoPi * kTestTrackLeftHz * t))));
    samples.push_back(int16_t(std::lround(gain * std::sin(kTwoPi * kTestTrackRightHz * t))));
  }
  return samples;
}
