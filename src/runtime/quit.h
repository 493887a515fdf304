#pragma once
// Ending the demo on the viewer's request.

// Closes the window system, releases the music, closes and releases the
// audio system, and ends the process with status 0.
[[noreturn]] void quitDemo();
