#pragma once
// One X window read again and again over one connection: its picture,
// through shared memory where the server offers it, and its title. Opening
// a connection to Xvfb takes about 70 ms and a whole picture through the
// socket about 30 ms; polled every few milliseconds, a new connection each
// time is a busy process of its own beside the program under test.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <string>

#include "support/rgb_image.h"

class windowReader {
 public:
  Display* connection = nullptr;
  Window window = 0;
  XImage* shared = nullptr;  // the window's size when made
  XShmSegmentInfo segment{};

  // `window` as xdotool writes its id, or "root" for the whole screen, on
  // `display` (empty: the test's own).
  windowReader(const std::string& display, const std::string& window);
  windowReader(const windowReader&) = delete;
  windowReader& operator=(const windowReader&) = delete;
  ~windowReader();

  // What the window shows now; empty if it cannot be read.
  rgbImage picture();
  // Its title; empty if it has none or is gone.
  std::string title();

  // Frees the shared image.
  void dropShared();
};
