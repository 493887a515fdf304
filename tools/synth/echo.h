#pragma once
// A ping-pong echo: the first repeat comes back on the left, the next on the
// right, each darker and quieter than the last.

#include "stereo_buffer.h"

class echoSettings {
 public:
  double seconds = 0.45;    // time between repeats
  double feedback = 0.42;
  double toneHz = 3800;     // repeats lose their top above this...
  double lowCutHz = 280;    // ...and their bottom below this
};

// The repeats of `send`, over the same span.
stereoBuffer applyEcho(const stereoBuffer& send, const echoSettings& settings);
