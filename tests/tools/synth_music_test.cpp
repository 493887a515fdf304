// The music the synthesizer makes while the preview runs: its WAV file read
// back sample for sample, and nothing else read as one.

#include <gtest/gtest.h>

#include <filesystem>

#include "stereo_buffer.h"
#include "support/temp_dir.h"
#include "synth_music.h"
#include "test_track.h"
#include "wav_writer.h"

namespace {

// The synthesizer's own file, with its bytes from `from` on cut away or
// replaced.
std::string changedCopy(const std::string& wav, size_t from, const std::string& bytes) {
  return wav.substr(0, from) + bytes;
}

}  // namespace

TEST(SynthMusic, ReadsTheSynthesizersFilesAndNoOthers) {
  std::string dir = makeTempDir();
  std::vector<int16_t> samples = makeTestTrack();
  ASSERT_TRUE(writeWav((dir + "/track.wav").c_str(), samples, 2, kSampleRate));
  synthTrack track;
  ASSERT_TRUE(readSynthTrack(dir + "/track.wav", &track));
  EXPECT_EQ(track.channels, 2);
  EXPECT_EQ(track.rate, kSampleRate);
  EXPECT_TRUE(track.samples == samples);

  std::string wav = readFile(dir + "/track.wav");
  const struct {
    const char* name;
    std::string bytes;
  } broken[] = {
      {"a missing file", ""},
      {"not a WAV file", "not a WAV file at all"},
      {"cut in its data", wav.substr(0, wav.size() / 2)},
      {"8-bit samples", changedCopy(wav, 34, std::string("\x08\x00", 2) + wav.substr(36))},
      {"compressed samples", changedCopy(wav, 20, std::string("\x02\x00", 2) + wav.substr(22))},
  };
  for (const auto& b : broken) {
    std::string path = dir + "/broken.wav";
    std::filesystem::remove(path);
    if (!b.bytes.empty()) writeFile(path, b.bytes);
    synthTrack none;
    EXPECT_FALSE(readSynthTrack(path, &none)) << b.name;
  }
  std::filesystem::remove_all(dir);
}
