#pragma once
// A virtual X server of the test's own (Xvfb) whose one screen has a single
// size: a fullscreen window on it cannot switch the display mode and gets
// the whole screen. Without its GLX extension, no OpenGL context can be made
// on it.

#include <string>

#include "support/child_process.h"

class xvfbServer {
 public:
  std::string folder;  // what the server printed, and its log
  childProcess server;
  std::string display;  // ":N"; empty if it did not start

  // Starts the server on a free display with a 24-bit screen of `width` x
  // `height`, with or without GLX, and waits until it takes clients.
  xvfbServer(int width, int height, bool glx = true);
  ~xvfbServer();
};
