#include "runtime/frame_loop.h"

#include <emscripten.h>

#include <cstdlib>

void runFrameLoop(void (*showFrame)()) {
  // At the display's rate; this returns to the browser and never comes back.
  emscripten_set_main_loop(showFrame, 0, true);
  abort();
}
