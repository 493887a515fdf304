#include "crash_guard.h"

#include <pthread.h>
#include <setjmp.h>
#include <signal.h>

#include <cstring>

namespace {

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// A jump back from exit() carries this bit and the status; one from a
// crash, the signal's number.
constexpr int kExited = 1 << 16;

sigjmp_buf guardedStart;
volatile sig_atomic_t guarding = 0;
pthread_t guardedThread;

void onCrash(int signal) {
  // The audio library's threads crash on their own account.
  if (guarding && pthread_equal(pthread_self(), guardedThread)) {
    guarding = 0;
    siglongjmp(guardedStart, signal);
  }
  struct sigaction usual = {};
  usual.sa_handler = SIG_DFL;
  sigaction(signal, &usual, nullptr);
  raise(signal);
}

}  // namespace

std::string guardedRun::what() const {
  if (signal) return std::string("crashed (") + strsignal(signal) + ")";
  return "ended with status " + std::to_string(exitStatus);
}

void installCrashGuard() {
  static char stack[64 * 1024];
  stack_t alternate = {};
  alternate.ss_sp = stack;
  alternate.ss_size = sizeof stack;
  sigaltstack(&alternate, nullptr);
  struct sigaction action = {};
  action.sa_handler = onCrash;
  action.sa_flags = SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int signal : kCrashSignals) sigaction(signal, &action, nullptr);
}

guardedRun runGuarded(const std::function<void()>& work) {
  guardedRun run;
  int jumped = sigsetjmp(guardedStart, 1);
  if (jumped == 0) {
    guardedThread = pthread_self();
    guarding = 1;
    work();
    guarding = 0;
  } else if (jumped & kExited) {
    run.exitStatus = jumped & 0xFF;
  } else {
    run.signal = jumped;
  }
  return run;
}

void exitFromGuardedRun(int status) {
  if (!guarding) return;
  guarding = 0;
  siglongjmp(guardedStart, kExited | (status & 0xFF));
}
