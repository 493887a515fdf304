#pragma once
// One part of the track as it is mixed: instruments are rendered each into a
// buffer of their own, then placed on the dry bus and the two effect sends.
// The part has its own reverb and echo, so its tails end with it.

#include "echo.h"
#include "reverb.h"
#include "stereo_buffer.h"

// Where an instrument sits in its part's mix: its level on the dry bus, and
// the share of that level sent to the reverb and to the echo.
class mixLevels {
 public:
  float level;
  float toReverb;
  float toEcho;
};

class partMix {
 public:
  double from = 0, to = 0;  // the part's span in track seconds
  stereoBuffer dry, reverbSend, echoSend;
  reverbSettings reverb;
  echoSettings echo;
  float echoIntoReverb = 0.35f;  // the repeats are blurred by the room too

  partMix(double fromSeconds, double toSeconds);

  // An empty buffer over the part's span, for one instrument.
  stereoBuffer track() const { return stereoBuffer(from, to); }

  // Places an instrument on the dry bus and the sends.
  void place(const stereoBuffer& instrument, const mixLevels& levels);

  // The dry bus with the effect returns added.
  stereoBuffer finish() const;
};
