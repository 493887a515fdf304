#pragma once
// The frame loop: sets the fixed GL state once, then draws the scene for the
// music's position, frame after frame, for the life of the process.

#include "runtime/demo_frame.h"

// The scenes the loop draws, built as it starts. They outlive the call that
// built them: the browser calls each frame after demoLoop has gone.
extern demoScenes shownScenes;

[[noreturn]] void demoLoop();
