#pragma once
// Ducking keyed from the kick: the pads and the bass dip on every kick and
// swell back, which makes the groove breathe and keeps the low end clear.

#include <vector>

#include "stereo_buffer.h"

class duckSettings {
 public:
  float depth = 0.5f;      // how far the level dips, 0 to 1
  double recovery = 0.11;  // time constant of the swell back
};

void duckUnderKicks(stereoBuffer* sound, const std::vector<double>& kicks, const duckSettings& settings);
