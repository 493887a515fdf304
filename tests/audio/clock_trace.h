#pragma once
// Plays the tests' short track and follows its channel's clock to the end,
// one query a millisecond, holding each position against what the output
// says is heard at that moment. Between mixer updates the output's figure
// stands still while the sound goes on, so only the start, before anything
// is heard, gives a bound the clock must keep exactly.

#include "audio/system.h"

class clockTrace {
 public:
  int queriesBeforeHeard = 0;     // queries made while nothing was heard yet
  unsigned largestBeforeHeardMs = 0;  // the clock's largest position then
  unsigned lastPositionMs = 0;    // the last position before the channel ended
  bool wentBackwards = false;
  audio::Result endResult = audio::kOk;  // what ended the channel
};

clockTrace traceClockToTheEnd(audio::System* system);

// Follows `channel`, which plays now, to its end in the same way.
clockTrace traceChannelToTheEnd(audio::System* system, audio::Channel channel);
