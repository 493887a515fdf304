// New show code that crashes or exits while it starts comes back to the
// preview as a failure that says what happened; outside a guarded run a
// crash ends the process as it would have anyway.

#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>

#include "crash_guard.h"

TEST(CrashGuard, ACrashOrAnExitInAGuardedRunComesBackAsAFailure) {
  installCrashGuard();
  const struct {
    const char* name;
    void (*work)();
    int signal, exitStatus;
    const char* what;
  } cases[] = {
      {"code that returns", [] {}, 0, -1, nullptr},
      {"a segmentation fault", [] { raise(SIGSEGV); }, SIGSEGV, -1, "crashed (Segmentation fault)"},
      {"an abort", [] { abort(); }, SIGABRT, -1, "crashed (Aborted)"},
      {"a division by zero", [] { raise(SIGFPE); }, SIGFPE, -1, "crashed (Floating point exception)"},
      {"an exit", [] { exitFromGuardedRun(-1); }, 0, 255, "ended with status 255"},
  };
  for (const auto& c : cases) {
    guardedRun run = runGuarded(c.work);
    EXPECT_EQ(run.failed(), c.what != nullptr) << c.name;
    EXPECT_EQ(run.signal, c.signal) << c.name;
    EXPECT_EQ(run.exitStatus, c.exitStatus) << c.name;
    if (c.what) {
      EXPECT_EQ(run.what(), c.what) << c.name;
    }
  }
  // The guard stays in place for the next run.
  EXPECT_EQ(runGuarded([] { raise(SIGSEGV); }).signal, SIGSEGV);
}

TEST(CrashGuard, OutsideAGuardedRunACrashEndsTheProcessAndAnExitGoesAhead) {
  EXPECT_EXIT(
      {
        installCrashGuard();
        raise(SIGSEGV);
      },
      testing::KilledBySignal(SIGSEGV), "");
  EXPECT_EXIT(
      {
        installCrashGuard();
        exitFromGuardedRun(3);
        exit(3);
      },
      testing::ExitedWithCode(3), "");
}
