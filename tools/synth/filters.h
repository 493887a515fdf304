#pragma once
// The filters the voices and effects share.

#include <algorithm>
#include <cmath>

#include "stereo_buffer.h"

// A state-variable filter in trapezoidal form: it stays stable while the
// envelopes sweep its cutoff every sample, and gives all three responses.
class stateVariableFilter {
 public:
  double ic1 = 0, ic2 = 0;
  double low = 0, band = 0, high = 0;

  // Filters one sample; `q` near 0.7 is flat, higher values ring.
  void process(double input, double hz, double q) {
    constexpr double kPi = 3.141592653589793;
    double g = std::tan(kPi * std::clamp(hz, 10.0, 0.45 * kSampleRate) / kSampleRate);
    double k = 1.0 / q;
    double a1 = 1.0 / (1.0 + g * (g + k));
    double a2 = g * a1;
    double a3 = g * a2;
    double v3 = input - ic2;
    double v1 = a1 * ic1 + a2 * v3;
    double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    low = v2;
    band = v1;
    high = input - k * v1 - v2;
  }
};

// A gentle 6 dB per octave low-pass; its complement is the matching high-pass.
class onePoleFilter {
 public:
  double coefficient = 1;
  double state = 0;

  explicit onePoleFilter(double hz) : coefficient(1.0 - std::exp(-6.283185307179586 * hz / kSampleRate)) {}

  double lowpass(double input) {
    state += coefficient * (input - state);
    return state;
  }
  double highpass(double input) { return input - lowpass(input); }
};
