#pragma once
// Phase-accumulating oscillators. The saw and the square are corrected with
// polyBLEP steps so that the bright synth voices do not alias.

#include <cmath>

#include "stereo_buffer.h"

constexpr double kTwoPi = 6.283185307179586;

// The pitch of a MIDI note number, A4 = 69 = 440 Hz; fractional notes bend.
inline double noteHz(double pitch) { return 440.0 * std::pow(2.0, (pitch - 69.0) / 12.0); }

// Spreads a unit step at phase 0 over the samples either side of it.
inline double polyBlep(double phase, double step) {
  if (phase < step) {
    double x = phase / step;
    return x + x - x * x - 1.0;
  }
  if (phase > 1.0 - step) {
    double x = (phase - 1.0) / step;
    return x * x + x + x + 1.0;
  }
  return 0.0;
}

class sawOscillator {
 public:
  double phase = 0;  // cycles, in [0, 1)

  // One sample from -1 to 1 at `hz`.
  double next(double hz) {
    double step = hz / kSampleRate;
    double value = 2.0 * phase - 1.0 - polyBlep(phase, step);
    phase += step;
    phase -= std::floor(phase);
    return value;
  }
};

class squareOscillator {
 public:
  double phase = 0;

  double next(double hz) {
    double step = hz / kSampleRate;
    double value = phase < 0.5 ? 1.0 : -1.0;
    double half = phase + 0.5;
    half -= std::floor(half);
    value += polyBlep(phase, step) - polyBlep(half, step);
    phase += step;
    phase -= std::floor(phase);
    return value;
  }
};

class sineOscillator {
 public:
  double phase = 0;

  double next(double hz) {
    double value = std::sin(kTwoPi * phase);
    phase += hz / kSampleRate;
    phase -= std::floor(phase);
    return value;
  }
};
