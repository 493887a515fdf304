#pragma once
// The show drawn on a fixed-step clock instead of the music's, frame by
// frame, to PNG files or to a video. The scenes carry GL state from one
// frame to the next, so a capture always renders the frame one step before
// its first one.

#include <string>
#include <vector>

#include "runtime/demo_frame.h"

class showCapture {
 public:
  demoScenes scenes;
  double step;
  // The window's size, which the frames have.
  int width, height;

  // Draws the frame for time t (before 0: the waiting frame) into the
  // window's back buffer.
  void draw(double t);
  // Draws the frame for time t, shows it and returns its pixels, bottom row
  // first.
  std::vector<unsigned char> frameAt(double t);
};

// Writes the frames from `from` to `to` seconds as DIR/frame_00000.png on.
int writeRange(showCapture& c, double from, double to, const std::string& dir);

// Writes the whole show, with the music, as an H.264 video through ffmpeg:
// one frame is read back while the next renders, and the encoder takes the
// frames on a thread of its own.
int writeVideo(showCapture& c, const std::string& path, double fps);
