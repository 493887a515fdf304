#pragma once
// A virtual X server of the test's own, without the GLX extension: a
// display on which no OpenGL context can be made.

#include <string>

#include "support/child_process.h"

class xvfbServer {
 public:
  std::string folder;  // the display it chose and its log
  childProcess server;
  std::string display;  // ":N"; empty if it did not start

  // Starts Xvfb on a free display and waits until it takes clients.
  xvfbServer();
  ~xvfbServer();
};
