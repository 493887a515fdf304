#pragma once
// A real X server of the test's own: Xorg with the dummy video driver, its
// monitor at 1920 x 1080 with 1280 x 720 among its other modes, so that a
// fullscreen window really switches the display mode and xrandr shows
// whether it was put back.

#include <string>

#include "support/child_process.h"

class xorgServer {
 public:
  std::string folder;   // its configuration, log and the display it chose
  childProcess server;
  std::string display;  // ":N"; empty if it did not start

  // Starts the server on a free display and waits until it takes clients.
  xorgServer();
  ~xorgServer();

  // The current mode of its monitor, as xrandr writes it ("1920x1080").
  std::string currentMode() const;
  // Switches the monitor back to 1920 x 1080, for the next test.
  void restoreMode() const;
};

// The display an X server started with "-displayfd 1" chose, once it has
// written its number into the file `path` (its standard output); empty if
// it wrote none within `seconds`.
std::string chosenDisplay(const std::string& path, double seconds);
