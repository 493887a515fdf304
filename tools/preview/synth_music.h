#pragma once
// The music the synthesizer made while the preview ran, as a sound of the
// demo's audio system, which the preview plays in place of the one before.

#include <cstdint>
#include <string>
#include <vector>

#include "audio/system.h"

class synthTrack {
 public:
  int channels = 0;
  long rate = 0;
  std::vector<int16_t> samples;  // interleaved
};

// Reads a 16-bit PCM WAV file as the synthesizer writes it. False for a
// file that is missing, cut short or in another format.
bool readSynthTrack(const std::string& path, synthTrack* track);

// Makes a sound in `system` that holds `track`, ready to play, as one the
// system had decoded from a file. False if the audio library refused it.
bool soundFromTrack(audio::System* system, const synthTrack& track, audio::Sound* sound);
