#pragma once
// Decodes a whole mp3 file into 16-bit PCM in memory.

#include <cstddef>
#include <cstdint>

#include "audio/result.h"

namespace audio {

// Interleaved 16-bit samples, owned (malloc'd) and freed with the record.
class decodedAudio {
 public:
  int16_t* samples = nullptr;
  size_t frames = 0;  // samples per channel
  long rate = 0;      // frames per second
  int channels = 0;

  decodedAudio() = default;
  decodedAudio(const decodedAudio&) = delete;
  decodedAudio& operator=(const decodedAudio&) = delete;
  ~decodedAudio();
};

// Fills `out` with the decoded file. A file that is not there gives
// kErrFileNotFound; one that yields no audio gives kErrFormat.
Result decodeMp3(const char* path, decodedAudio* out);

}  // namespace audio
