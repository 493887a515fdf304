#pragma once
// 16-bit PCM WAV files, for making test tracks and reading what the audio
// output wrote.

#include <cstdint>
#include <string>
#include <vector>

class wavFile {
 public:
  int rate = 44100;
  int channels = 2;
  std::vector<int16_t> samples;  // interleaved

  double seconds() const { return double(samples.size()) / channels / rate; }
};

bool writeWav(const std::string& path, const wavFile& wav);

// Reads a 16-bit PCM file, plain or extensible; false for anything else.
bool readWav(const std::string& path, wavFile* wav);
