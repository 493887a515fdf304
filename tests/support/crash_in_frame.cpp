// crash-in-frame: a library the tests preload into the demo to make it
// crash for real, in the middle of a frame, on its main thread: its glClear
// stands in front of the GL's own and, once the file "crash-now" appears in
// the working folder, faults with the signal CRASH_SIGNAL names (SIGSEGV,
// SIGBUS, SIGILL, SIGFPE or SIGABRT), as a fault in the driver would.

#include <GL/gl.h>
#include <dlfcn.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

void crash(const char* signal) {
  if (!strcmp(signal, "SIGSEGV")) {
    // Volatile all the way, so that the compiler keeps the write.
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
  } else if (!strcmp(signal, "SIGFPE")) {
    // An integer division by zero; with both operands read at run time,
    // the compiler cannot turn it into something that does not divide.
    volatile int dividend = 1;
    volatile int zero = 0;
    volatile int quotient = dividend / zero;
    (void)quotient;
  } else if (!strcmp(signal, "SIGILL")) {
    __builtin_trap();
  } else if (!strcmp(signal, "SIGABRT")) {
    abort();
  } else if (!strcmp(signal, "SIGBUS")) {
    // A bus error needs a file cut short under a mapping; raised, it is the same signal.
    raise(SIGBUS);
  }
}

}  // namespace

extern "C" void glClear(GLbitfield mask) {
  static auto next = reinterpret_cast<void (*)(GLbitfield)>(dlsym(RTLD_NEXT, "glClear"));
  const char* signal = getenv("CRASH_SIGNAL");
  if (signal && access("crash-now", F_OK) == 0) crash(signal);
  next(mask);
}
