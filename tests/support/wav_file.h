#pragma once
// Reading 16-bit PCM WAV files, such as what the audio output wrote.

#include <cstdint>
#include <string>
#include <vector>

class wavFile {
 public:
  int rate = 44100;
  int channels = 2;
  std::vector<int16_t> samples;  // interleaved
};

// Reads a 16-bit PCM file, plain or extensible; false for anything else.
bool readWav(const std::string& path, wavFile* wav);
