#pragma once
// Sound and channel handles: small values that name an object inside a system.
// A handle whose object is gone (released, closed, played to its end) stays
// safe to use and answers kErrInvalidHandle; so does a default-made one.

#include "audio/result.h"

namespace audio {

class System;

constexpr unsigned kTimeUnitMs = 1;

class Sound {
 public:
  System* system = nullptr;
  unsigned index = 0;
  unsigned generation = 0;

  // Stops every channel playing the sound and frees its samples.
  Result release();
};

class Channel {
 public:
  System* system = nullptr;
  unsigned index = 0;
  unsigned generation = 0;

  // Where playback is, in whole milliseconds of what is heard now. Once the
  // sound has played to its end the channel is gone: kErrInvalidHandle.
  Result getPosition(unsigned* position, unsigned timeUnit);
};

}  // namespace audio
