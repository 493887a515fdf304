#include "runtime/quit_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

void noteSignal(int signal) { caughtSignal = signal; }

}  // namespace

void catchQuitSignals() {
  std::signal(SIGINT, noteSignal);
  std::signal(SIGTERM, noteSignal);
#ifdef SIGHUP
  // Windows has no hang-up signal.
  std::signal(SIGHUP, noteSignal);
#endif
}

int quitSignalCaught() { return caughtSignal; }
