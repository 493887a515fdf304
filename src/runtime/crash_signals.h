#pragma once
// A crash (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT) runs no exit handler:
// the display mode the fullscreen window set would stay. Where the window
// system keeps it after the process has gone, the crash first puts it back,
// then ends the process by its own signal, so that its status, and any core
// dump, are the crash's.

// Catches the crash signals.
void catchCrashSignals();
