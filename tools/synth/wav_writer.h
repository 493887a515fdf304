#pragma once
// Writes 16-bit PCM WAV files, the format the encoder takes.

#include <cstdint>
#include <vector>

// `samples` are interleaved; false if the file cannot be written.
bool writeWav(const char* path, const std::vector<int16_t>& samples, int channels, int rate);
