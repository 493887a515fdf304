#pragma once
// Attack, decay, sustain and release as a function of the time since the
// note began and how long it was held, so a voice can be rendered in one pass.

#include <cmath>

class adsrEnvelope {
 public:
  double attack = 0.005;  // seconds to full level, linear
  double decay = 0.2;     // time constant of the fall to sustain
  double sustain = 0.7;   // level while held
  double release = 0.2;   // time constant of the fall after the note ends

  double levelAt(double t, double held) const {
    if (t < 0) return 0;
    if (t < held) return heldLevel(t);
    return heldLevel(held) * std::exp(-(t - held) / release);
  }

  double heldLevel(double t) const {
    if (t < attack) return t / attack;
    return sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
  }

  // How long after its end a note has fallen by 60 dB.
  double tail() const { return 6.9 * release; }
};
