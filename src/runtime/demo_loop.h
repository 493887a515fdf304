#pragma once
// The frame loop: sets the fixed GL state once, then draws the scene for the
// music's position, frame after frame, for the life of the process.

[[noreturn]] void demoLoop();
