#include "audio/smooth_clock.h"

#include <algorithm>
#include <chrono>

namespace audio {

void smoothClock::restart(double period) {
  periodSeconds = period;
  mixerSeconds = -1;
  mixerSeenAt = 0;
  reportedSeconds = 0;
}

double smoothClock::position(double mixerNow, double now) {
  if (mixerNow != mixerSeconds) {
    mixerSeconds = mixerNow;
    mixerSeenAt = now;
  }
  double sinceUpdate = std::min(std::max(now - mixerSeenAt, 0.0), periodSeconds);
  reportedSeconds = std::max(reportedSeconds, mixerSeconds + sinceUpdate);
  return reportedSeconds;
}

double monotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace audio
