#include "stereo_buffer.h"

#include <algorithm>

stereoBuffer::stereoBuffer(double fromSeconds, double toSeconds)
    : firstFrame(frameAt(fromSeconds)),
      left(size_t(std::max(0L, frameAt(toSeconds) - frameAt(fromSeconds))), 0.0f),
      right(left.size(), 0.0f) {}

void stereoBuffer::mixIn(const stereoBuffer& other, float gain) {
  long from = std::max(firstFrame, other.firstFrame);
  long to = std::min(firstFrame + long(frames()), other.firstFrame + long(other.frames()));
  for (long frame = from; frame < to; ++frame) {
    size_t here = size_t(frame - firstFrame);
    size_t there = size_t(frame - other.firstFrame);
    left[here] += gain * other.left[there];
    right[here] += gain * other.right[there];
  }
}

void stereoBuffer::applyGain(const std::function<double(double)>& gainAt) {
  for (size_t i = 0; i < frames(); ++i) {
    float gain = float(gainAt(secondsAt(i)));
    left[i] *= gain;
    right[i] *= gain;
  }
}

stereoPlacement placeAt(float gain, float pan) {
  constexpr double kQuarterPi = 0.7853981633974483;
  double angle = (std::clamp(double(pan), -1.0, 1.0) + 1.0) * kQuarterPi;
  stereoPlacement placement;
  placement.left = float(gain * std::cos(angle) * std::sqrt(2.0));
  placement.right = float(gain * std::sin(angle) * std::sqrt(2.0));
  return placement;
}
