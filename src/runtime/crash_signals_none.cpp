#include "runtime/crash_signals.h"

// Windows puts back a display mode changed for fullscreen (GLFW changes it
// as a temporary one) when the process that changed it ends, however it
// ends; the browser's fullscreen changes no mode. Nothing to catch.
void catchCrashSignals() {}
