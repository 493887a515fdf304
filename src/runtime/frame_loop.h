#pragma once
// The one loop of the program: calls `showFrame` once a frame, for the life
// of the process. The desktop loops here; the browser calls it from its own
// animation loop, since a page that never returns to the browser shows nothing.

[[noreturn]] void runFrameLoop(void (*showFrame)());
