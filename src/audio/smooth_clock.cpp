#include "audio/smooth_clock.h"

#include <algorithm>
#include <chrono>

namespace audio {

void smoothClock::restart(double period, double from) {
  periodSeconds = period;
  startSeconds = from;
  heardSeconds = from - 1;
  heardSeenAt = 0;
  reportedSeconds = from;
}

double smoothClock::position(double heardNow, double now) {
  if (heardNow != heardSeconds) {
    heardSeconds = heardNow;
    heardSeenAt = now;
  }
  // Before the first sample is heard the mixer may not have started the
  // sound at all: running on from there would run ahead of it.
  double sinceUpdate = heardSeconds > startSeconds ? std::min(std::max(now - heardSeenAt, 0.0), periodSeconds) : 0;
  reportedSeconds = std::max(reportedSeconds, heardSeconds + sinceUpdate);
  return reportedSeconds;
}

double monotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace audio
