#pragma once
// Turns the mixer's coarse playback position into a steady one.
//
// The mixer moves a source's offset once per mixing period (about 23 ms), so
// a frame loop asking hundreds of times a second would see time stand still
// and then jump. Between mixer updates the clock runs on with monotonic time,
// at most one period past the last mixer position, and never backwards.

namespace audio {

class smoothClock {
 public:
  double periodSeconds = 0;     // the mixer's update period
  double mixerSeconds = -1;     // last mixer position seen
  double mixerSeenAt = 0;       // monotonic time when that position was first seen
  double reportedSeconds = 0;   // last position handed out

  // Starts over at position 0, for a new playback.
  void restart(double period);

  // The steady position for the mixer's position now, at monotonic time `now`.
  double position(double mixerNow, double now);
};

// Seconds on a monotonic clock with an arbitrary origin.
double monotonicSeconds();

}  // namespace audio
