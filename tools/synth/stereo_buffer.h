#pragma once
// A span of the track in floating-point stereo. Each part writes its sounds at
// track times into one of these, and the parts are summed into the track.

#include <cmath>
#include <cstddef>
#include <functional>
#include <vector>

constexpr int kSampleRate = 44100;

// The track frame nearest to a time in seconds.
inline long frameAt(double seconds) { return std::lround(seconds * kSampleRate); }

class stereoBuffer {
 public:
  long firstFrame = 0;  // track frame of index 0
  std::vector<float> left, right;

  stereoBuffer() = default;
  stereoBuffer(double fromSeconds, double toSeconds);

  size_t frames() const { return left.size(); }
  double secondsAt(size_t index) const { return double(firstFrame + long(index)) / kSampleRate; }

  // Adds one frame at a track frame; frames outside the span are dropped, so
  // a sound may start before or ring past the part that plays it.
  void add(long trackFrame, float l, float r) {
    long i = trackFrame - firstFrame;
    if (i < 0 || size_t(i) >= left.size()) return;
    left[size_t(i)] += l;
    right[size_t(i)] += r;
  }

  // Adds `other`, scaled, where the two spans overlap.
  void mixIn(const stereoBuffer& other, float gain);

  // Scales every frame by gainAt(its time in track seconds): the fades and
  // the pulses. Frames are taken in order, so the gain may keep state.
  void applyGain(const std::function<double(double)>& gainAt);
};

// Channel gains for a mono source placed at `pan` (-1 left, 0 centre, 1 right).
// Equal power, scaled so that the centre keeps the source's level.
class stereoPlacement {
 public:
  float left = 1, right = 1;
};
stereoPlacement placeAt(float gain, float pan);
