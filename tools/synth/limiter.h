#pragma once
// The master's peak limiter. It looks ahead, so the gain is already down when
// a peak arrives: no sample leaves it above the ceiling.

#include "stereo_buffer.h"

class limiterSettings {
 public:
  float ceiling = 0.84f;    // about -1.5 dBFS, room for the encoder's overshoot
  double lookahead = 0.004;
  double release = 0.15;
};

void limitPeaks(stereoBuffer* mix, const limiterSettings& settings);
