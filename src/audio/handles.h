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
  // The sound's length, in whole milliseconds, once it has decoded (this
  // waits for that); a sound that did not decode is invalid from then on.
  Result getLength(unsigned* length, unsigned timeUnit);
};

class Channel {
 public:
  System* system = nullptr;
  unsigned index = 0;
  unsigned generation = 0;

  // Where playback is, in whole milliseconds of what is heard now. Once the
  // sound has played to its end the channel is gone: kErrInvalidHandle.
  Result getPosition(unsigned* position, unsigned timeUnit);
  // Pausing stops the sound and holds the position at what the clock says
  // at that moment; resuming plays on from exactly there. A paused channel
  // never reaches the end of its sound.
  Result setPaused(bool paused);
  // Moves playback to `position` milliseconds, at most the sound's length
  // (where a playing channel ends as at the end of its sound), playing or
  // paused: the clock says that moment at once, holds it until the sound
  // from there is heard, and runs on from it.
  Result setPosition(unsigned position, unsigned timeUnit);
};

}  // namespace audio
