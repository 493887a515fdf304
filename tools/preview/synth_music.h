#pragma once
// The music the synthesizer made while the preview ran, read back from its
// WAV file, for a sound of the demo's audio system that the preview plays in
// place of the one before (audio::System::createSoundFromSamples).

#include <cstdint>
#include <string>
#include <vector>

class synthTrack {
 public:
  int channels = 0;
  long rate = 0;
  std::vector<int16_t> samples;  // interleaved
};

// Reads a 16-bit PCM WAV file as the synthesizer writes it. False for a
// file that is missing, cut short or in another format.
bool readSynthTrack(const std::string& path, synthTrack* track);
