#include "support/wav_file.h"

#include <cstring>
#include <fstream>

bool readWav(const std::string& path, wavFile* wav) {
  std::ifstream in(path, std::ios::binary);
  char riff[12];
  if (!in.read(riff, 12) || memcmp(riff, "RIFF", 4) || memcmp(riff + 8, "WAVE", 4)) return false;
  bool haveFormat = false;
  char id[4];
  uint32_t size = 0;
  while (in.read(id, 4) && in.read(reinterpret_cast<char*>(&size), 4)) {
    if (!memcmp(id, "fmt ", 4)) {
      std::vector<char> fmt(size);
      in.read(fmt.data(), size);
      uint16_t format, channels, bits;
      uint32_t rate;
      memcpy(&format, &fmt[0], 2);
      memcpy(&channels, &fmt[2], 2);
      memcpy(&rate, &fmt[4], 4);
      memcpy(&bits, &fmt[14], 2);
      // WAVE_FORMAT_EXTENSIBLE keeps the real format in its sub-format's first two bytes.
      if (format == 0xFFFE && size >= 26) memcpy(&format, &fmt[24], 2);
      if (format != 1 || bits != 16) return false;
      wav->channels = channels;
      wav->rate = int(rate);
      haveFormat = true;
    } else if (!memcmp(id, "data", 4)) {
      if (!haveFormat) return false;
      wav->samples.resize(size / 2);
      in.read(reinterpret_cast<char*>(wav->samples.data()), std::streamsize(wav->samples.size() * 2));
      wav->samples.resize(size_t(in.gcount()) / 2);
      return true;
    } else {
      in.seekg(size + (size & 1), std::ios::cur);
    }
  }
  return false;
}
