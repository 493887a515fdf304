#include "runtime/frame_loop.h"

void runFrameLoop(void (*showFrame)()) {
  for (;;) showFrame();
}
