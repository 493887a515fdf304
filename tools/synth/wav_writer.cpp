#include "wav_writer.h"

#include <cstdio>

namespace {

// WAV is little-endian whatever the machine is.
void putLittle(std::vector<unsigned char>* bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes->push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

void putTag(std::vector<unsigned char>* bytes, const char* tag) {
  for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<unsigned char>(tag[i]));
}

}  // namespace

bool writeWav(const char* path, const std::vector<int16_t>& samples, int channels, int rate) {
  constexpr int kBitsPerSample = 16;
  constexpr int kFormatChunkSize = 16;
  constexpr int kPcmFormat = 1;
  uint32_t dataBytes = uint32_t(samples.size() * sizeof(int16_t));
  int blockAlign = channels * kBitsPerSample / 8;

  std::vector<unsigned char> bytes;
  putTag(&bytes, "RIFF");
  putLittle(&bytes, 4 + (8 + kFormatChunkSize) + (8 + dataBytes), 4);
  putTag(&bytes, "WAVE");
  putTag(&bytes, "fmt ");
  putLittle(&bytes, kFormatChunkSize, 4);
  putLittle(&bytes, kPcmFormat, 2);
  putLittle(&bytes, uint32_t(channels), 2);
  putLittle(&bytes, uint32_t(rate), 4);
  putLittle(&bytes, uint32_t(rate * blockAlign), 4);
  putLittle(&bytes, uint32_t(blockAlign), 2);
  putLittle(&bytes, kBitsPerSample, 2);
  putTag(&bytes, "data");
  putLittle(&bytes, dataBytes, 4);
  for (int16_t sample : samples) putLittle(&bytes, uint16_t(sample), 2);

  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
