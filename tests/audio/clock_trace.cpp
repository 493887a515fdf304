#include "audio/clock_trace.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "support/test_track.h"

clockTrace traceClockToTheEnd(audio::System* system) {
  audio::Sound sound;
  audio::Channel channel;
  system->createSound(kTestTrack, audio::kDefault, nullptr, &sound);
  if (system->playSound(audio::kChannelFree, sound, false, &channel) != audio::kOk) return clockTrace();
  return traceChannelToTheEnd(system, channel);
}

clockTrace traceChannelToTheEnd(audio::System* system, audio::Channel channel) {
  clockTrace trace;
  ALuint source = system->channels[channel.index].source;
  for (;;) {
    unsigned ms = 0;
    audio::Result result = channel.getPosition(&ms, audio::kTimeUnitMs);
    if (result != audio::kOk) {
      trace.endResult = result;
      return trace;
    }
    // Asked after the clock, so the heard position is never the earlier
    // one. Once the mixer is done with the sound its offset is gone: the
    // last stretch has nothing to hold the clock against.
    double heardMs = system->heardSeconds(source) * 1000;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING && heardMs <= 0) {
      ++trace.queriesBeforeHeard;
      trace.largestBeforeHeardMs = std::max(trace.largestBeforeHeardMs, ms);
    }
    trace.wentBackwards |= ms < trace.lastPositionMs;
    trace.lastPositionMs = ms;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
