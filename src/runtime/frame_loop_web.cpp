#include "runtime/frame_loop.h"

#include <emscripten.h>

#include <cstdlib>

#include "render/immediate_mode_web.h"

namespace {

void (*frameToShow)();

// The browser shows the canvas once the frame's callback returns: what is
// still batched is drawn first.
void showWholeFrame() {
  frameToShow();
  drawBatchedVertices();
}

}  // namespace

void runFrameLoop(void (*showFrame)()) {
  frameToShow = showFrame;
  // At the display's rate; this returns to the browser and never comes back.
  emscripten_set_main_loop(showWholeFrame, 0, true);
  abort();
}
