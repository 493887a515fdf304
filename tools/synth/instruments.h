#pragma once
// The pitched voices: bass, pads, chord stabs, plucks, an FM bell and a
// gliding lead. Each renders one note or chord into a buffer at track time.

#include <cstdint>
#include <vector>

#include "envelope.h"
#include "stereo_buffer.h"

class note {
 public:
  double start = 0;   // seconds, track time
  double length = 0;  // seconds held
  int pitch = 60;     // MIDI note number
  float velocity = 1;
};

class bassSound {
 public:
  double cutoff = 170;       // where the filter rests
  double envelopeHz = 1500;  // how far each note opens it
  double filterDecay = 0.09;
  double resonance = 1.2;
  double sub = 0.7;          // sine at the fundamental under the saw
  double drive = 2.0;
  adsrEnvelope amp{0.003, 0.3, 0.8, 0.04};
};

class padSound {
 public:
  int voices = 7;             // detuned saws per pitch
  double detuneCents = 16;    // spread of the outermost saws
  double cutoffFrom = 1200;   // filter at the start of the chord...
  double cutoffTo = 1200;     // ...and at its end, swept exponentially
  double lfoHz = 0.23;
  double lfoOctaves = 0.2;
  double width = 0.85;
  adsrEnvelope amp{0.5, 1.0, 1.0, 0.9};
};

class stabSound {
 public:
  double detuneCents = 12;
  double cutoff = 500;
  double envelopeHz = 6000;
  double filterDecay = 0.09;
  double width = 0.7;
  adsrEnvelope amp{0.002, 0.12, 0.35, 0.12};
};

class pluckSound {
 public:
  double cutoff = 500;
  double envelopeHz = 4500;
  double filterDecay = 0.07;
  double resonance = 1.6;
  double decay = 0.22;
};

class bellSound {
 public:
  double ratio = 2.0;        // modulator to carrier frequency
  double index = 3.0;        // modulation depth at the strike
  double indexDecay = 0.18;
  double decay = 0.9;
};

class leadSound {
 public:
  double glide = 0.03;       // time constant of the slide between tied notes
  double vibratoHz = 5.4;
  double vibratoSemitones = 0.16;
  double vibratoDelay = 0.22;
  double cutoff = 900;
  double envelopeHz = 3400;
  double filterDecay = 0.22;
  double resonance = 1.3;
  double detuneCents = 9;
  adsrEnvelope amp{0.006, 0.35, 0.75, 0.16};
};

void addBass(stereoBuffer* out, const note& n, float gain, const bassSound& sound);
void addPadChord(stereoBuffer* out, double start, double length, const std::vector<int>& pitches, float gain,
                 const padSound& sound);
void addStab(stereoBuffer* out, double start, double length, const std::vector<int>& pitches, float gain,
             const stabSound& sound);
void addPluck(stereoBuffer* out, const note& n, float gain, float pan, const pluckSound& sound);
void addBell(stereoBuffer* out, const note& n, float gain, float pan, const bellSound& sound);

// A monophonic line: notes that touch are tied, gliding to the next pitch
// without a new attack. `notes` must be in time order.
void addLeadLine(stereoBuffer* out, const std::vector<note>& notes, float gain, float pan, const leadSound& sound);
