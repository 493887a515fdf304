#include "runtime/crash_signals.h"

#include <GLFW/glfw3.h>
#include <signal.h>
#include <unistd.h>

#include "runtime/window.h"

// An X server keeps the mode a client set after the client has died. After
// a crash the process may be in any state, so the handler does as little
// as it can: it asks GLFW to leave fullscreen, which puts the mode back in a
// few X requests, and touches neither the GL, whose driver may be where it
// crashed, nor anything else. Those requests may wait on a lock the crash
// left held (Xlib's or malloc's, by this thread or another): an alarm then
// ends the wait, and a second crash while they run ends the process too,
// both with the first crash's signal.

namespace {

const int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr unsigned kRestoreSeconds = 1;

volatile sig_atomic_t firstCrash = 0;

void setHandler(int signal, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  // A crash inside the handler comes back into it rather than waiting.
  action.sa_flags = SA_NODEFER;
  sigaction(signal, &action, nullptr);
}

// Ends the process by `signal`'s default action, as if it had not been caught.
[[noreturn]] void endBy(int signal) {
  setHandler(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  // Not reached: every crash signal's default action ends the process.
  _exit(128 + signal);
}

void onRestoreTimeout(int) { endBy(firstCrash); }

void onCrash(int signal) {
  if (firstCrash) endBy(firstCrash);
  firstCrash = signal;
  setHandler(SIGALRM, onRestoreTimeout);
  alarm(kRestoreSeconds);
  // Null once the desktop has been given back at exit.
  GLFWwindow* window = demoWindow;
  if (window && glfwGetWindowMonitor(window))
    glfwSetWindowMonitor(window, nullptr, 0, 0, kWindowWidth, kWindowHeight, GLFW_DONT_CARE);
  endBy(signal);
}

}  // namespace

void catchCrashSignals() {
  for (int signal : kCrashSignals) setHandler(signal, onCrash);
}
