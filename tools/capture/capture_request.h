#pragma once
// What the capture tool was asked for, from its command line.

#include <cmath>
#include <string>

#include "runtime/window.h"

class captureRequest {
 public:
  double at = NAN, from = NAN, to = NAN;
  double fps = 60;
  // The window the show is drawn in, and so the frames' size.
  int width = kWindowWidth, height = kWindowHeight;
  std::string out, video, references;
};

// Reads the options into `request`: true if they ask for exactly one of a
// single frame (--at, --out), a range of frames (--from, --to, --out), the
// video (--video) or the reference pictures (--references, only at the
// show's own size), at a positive --fps, in a window of --size WxH.
bool parseCaptureRequest(int argc, char** argv, captureRequest* request);

// How many frames a range from `from` to `to` seconds holds, one every
// `step` seconds, both ends included.
int rangeFrameCount(double from, double to, double step);
