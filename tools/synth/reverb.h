#pragma once
// A hall reverb of our own: input diffusion through all-passes, then an
// eight-line feedback delay network with a Householder mixing matrix and
// damping in every line.

#include "stereo_buffer.h"

class reverbSettings {
 public:
  double seconds = 2.2;     // time for the tail to fall by 60 dB
  double predelay = 0.02;
  double dampingHz = 6000;  // the tail darkens above this
  double lowCutHz = 220;    // keeps the low end of the mix dry
  double size = 1.0;        // scales the delay lengths
};

// The wet signal for `send`, over the same span.
stereoBuffer applyReverb(const stereoBuffer& send, const reverbSettings& settings);
