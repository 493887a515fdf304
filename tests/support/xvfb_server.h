#pragma once
// A virtual X server of the test's own (Xvfb) whose one screen has a single
// size: a fullscreen window on it cannot switch the display mode and gets
// the whole screen.

#include <string>

#include "support/child_process.h"

class xvfbServer {
 public:
  std::string folder;  // what the server printed
  childProcess server;
  std::string display;  // ":N"; empty if it did not start

  // Starts the server with a 24-bit screen of `width` x `height` and waits
  // until it takes clients.
  xvfbServer(int width, int height);
  ~xvfbServer();
};
