#include "part_mix.h"

partMix::partMix(double fromSeconds, double toSeconds)
    : from(fromSeconds),
      to(toSeconds),
      dry(fromSeconds, toSeconds),
      reverbSend(fromSeconds, toSeconds),
      echoSend(fromSeconds, toSeconds) {}

void partMix::place(const stereoBuffer& instrument, float level, float toReverb, float toEcho) {
  dry.mixIn(instrument, level);
  if (toReverb > 0) reverbSend.mixIn(instrument, level * toReverb);
  if (toEcho > 0) echoSend.mixIn(instrument, level * toEcho);
}

stereoBuffer partMix::finish() const {
  stereoBuffer repeats = applyEcho(echoSend, echo);
  stereoBuffer room = reverbSend;
  room.mixIn(repeats, echoIntoReverb);
  stereoBuffer mix = dry;
  mix.mixIn(repeats, 1.0f);
  mix.mixIn(applyReverb(room, reverb), 1.0f);
  return mix;
}
