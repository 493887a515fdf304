#include "synth_music.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "render/whole_file.h"

namespace {

constexpr int kPcmFormat = 1;
constexpr int kBitsPerSample = 16;

// WAV is little-endian whatever the machine is.
uint32_t little(std::string_view bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

bool readSynthTrack(const std::string& path, synthTrack* track) {
  wholeFile file;
  if (readWholeFile(path.c_str(), SIZE_MAX - 1, &file) != fileRead::complete) return false;
  std::string_view bytes(file.bytes, file.size);
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
  bool formatSeen = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string_view tag = bytes.substr(at, 4);
    size_t size = little(bytes, at + 4, 4);
    size_t body = at + 8;
    if (size > bytes.size() - body) return false;
    if (tag == "fmt " && size >= 16) {
      if (little(bytes, body, 2) != kPcmFormat || little(bytes, body + 14, 2) != kBitsPerSample) return false;
      track->channels = int(little(bytes, body + 2, 2));
      track->rate = long(little(bytes, body + 4, 4));
      formatSeen = true;
    } else if (tag == "data" && formatSeen) {
      track->samples.resize(size / sizeof(int16_t));
      std::memcpy(track->samples.data(), bytes.data() + body, track->samples.size() * sizeof(int16_t));
      return (track->channels == 1 || track->channels == 2) && track->rate > 0 && !track->samples.empty();
    }
    // Chunks are padded to an even size.
    at = body + size + (size & 1);
  }
  return false;
}
