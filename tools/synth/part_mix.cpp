#include "part_mix.h"

partMix::partMix(double fromSeconds, double toSeconds)
    : from(fromSeconds),
      to(toSeconds),
      dry(fromSeconds, toSeconds),
      reverbSend(fromSeconds, toSeconds),
      echoSend(fromSeconds, toSeconds) {}

void partMix::place(const stereoBuffer& instrument, const mixLevels& levels) {
  dry.mixIn(instrument, levels.level);
  if (levels.toReverb > 0) reverbSend.mixIn(instrument, levels.level * levels.toReverb);
  if (levels.toEcho > 0) echoSend.mixIn(instrument, levels.level * levels.toEcho);
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
