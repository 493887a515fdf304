#pragma once
// Runs a new version of the show's code through its first steps (building
// its scenes, drawing its first frame) so that a crash in it, or its exit
// on a file it cannot load, comes back to the preview as a failure instead
// of ending the session, and the version before it can go on. Outside a
// guarded run a crash ends the process as it always would.

#include <functional>
#include <string>

class guardedRun {
 public:
  int signal = 0;        // the signal that stopped the code, or 0
  int exitStatus = -1;   // the status it exited with, or -1

  bool failed() const { return signal != 0 || exitStatus >= 0; }
  // "crashed (Segmentation fault)", "ended with status 255".
  std::string what() const;
};

// Catches the crash signals from now on, on a stack of their own, so that
// even a runaway recursion comes back. Called once, before any guarded run.
void installCrashGuard();

// Runs `work` on this thread: what stopped it, if anything did.
guardedRun runGuarded(const std::function<void()>& work);

// For the show's exit(): ends the guarded run in progress with `status`.
// Outside one it returns, and the exit goes ahead.
void exitFromGuardedRun(int status);
