#pragma once
// The drums, all synthesized: a kick from a pitch-swept sine, snares, claps,
// hats and cymbals from filtered noise and detuned square clusters.

#include <cstdint>

#include "stereo_buffer.h"

class kickSound {
 public:
  double startHz = 165;     // pitch at the strike
  double endHz = 47;        // pitch the body settles to
  double pitchDecay = 0.032;
  double hold = 0.025;      // full level before the body decays
  double decay = 0.26;
  double click = 0.3;       // level of the beater noise
  double drive = 1.6;       // soft saturation that adds punch
};

class snareSound {
 public:
  double toneHz = 190;      // the shell's fundamental
  double toneDecay = 0.055;
  double tone = 0.55;
  double noiseHz = 1700;    // the snares' noise sits above this
  double noiseDecay = 0.15;
  double noise = 0.85;
};

class hatSound {
 public:
  double decay = 0.04;
  double hz = 9000;         // centre of the metallic band
};

void addKick(stereoBuffer* out, double at, float gain, const kickSound& sound);
void addSnare(stereoBuffer* out, double at, float gain, float pan, const snareSound& sound);
void addClap(stereoBuffer* out, double at, float gain, float pan);
void addHat(stereoBuffer* out, double at, float gain, float pan, const hatSound& sound);
void addTom(stereoBuffer* out, double at, float gain, float pan, double hz);

void addCymbal(stereoBuffer* out, double at, float gain, double decay);

// A crash played backwards: it swells over `seconds` and stops dead at `endAt`.
void addReversedCymbal(stereoBuffer* out, double endAt, float gain, double seconds);

// Noise swept through a band-pass from `fromHz` to `toHz`, growing louder,
// cut at `to`.
void addRiser(stereoBuffer* out, double from, double to, float gain, double fromHz, double toHz);
