#pragma once
// Ctrl+C in the terminal, a kill, or the terminal closing: each asks the
// demo to end as Escape does. The handler only notes the signal; the frame
// loop acts on it after polling events, outside the handler.

// Catches SIGINT, SIGTERM and, where the platform has it, SIGHUP.
void catchQuitSignals();

// The number of the last quit signal caught, or 0 if none came.
int quitSignalCaught();

// The exit status a shell gives a process ended by `signal`.
constexpr int signalExitStatus(int signal) { return 128 + signal; }
