#pragma once
// Turns the mixer's coarse playback position into a steady one.
//
// The mixer moves a source's offset once per mixing period (about 23 ms), so
// a frame loop asking hundreds of times a second would see time stand still
// and then jump. Between updates of what the output says is heard, the clock
// runs on with monotonic time, at most one period past it, and never
// backwards. Until the first sample has been heard it says where playback
// started: 0, or the moment it was moved to.

namespace audio {

class smoothClock {
 public:
  double periodSeconds = 0;     // the mixer's update period
  double startSeconds = 0;      // where playback started
  double heardSeconds = -1;     // last heard position seen; below the start before the first sample
  double heardSeenAt = 0;       // monotonic time when that position was first seen
  double reportedSeconds = 0;   // last position handed out

  // Starts over for a playback that starts at `from` seconds.
  void restart(double period, double from = 0);

  // The steady position for what the output says is heard now (below the
  // start while the first sample is still on its way), at monotonic time
  // `now`.
  double position(double heardNow, double now);
};

// Seconds on a monotonic clock with an arbitrary origin.
double monotonicSeconds();

}  // namespace audio
