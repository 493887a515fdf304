#pragma once
// The capture's progress on one line: frames done, the time left and the
// speed, against the show's own time.

#include <chrono>

class progressLine {
 public:
  int frames;
  double fps;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();

  progressLine(int frames, double fps) : frames(frames), fps(fps) {}

  // Rewrites the line for `done` frames, every 30 frames and at the last.
  void show(int done) const;
};
