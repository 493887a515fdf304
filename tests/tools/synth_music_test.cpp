// The music the synthesizer makes while the preview runs: its WAV file read
// back sample for sample, and played as a sound of the demo's audio system
// on the null output, with its length, a position and a release.

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

TEST(SynthMusic, PlaysAsASoundOfTheAudioSystem) {
  audio::System* system = nullptr;
  ASSERT_EQ(audio::systemCreate(&system), audio::kOk);
  ASSERT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kOk);
  synthTrack track;
  track.channels = 2;
  track.rate = kSampleRate;
  track.samples = makeTestTrack();
  audio::Sound sound;
  ASSERT_TRUE(soundFromTrack(system, track, &sound));
  unsigned length = 0;
  EXPECT_EQ(sound.getLength(&length, audio::kTimeUnitMs), audio::kOk);
  EXPECT_EQ(length, unsigned(kTestTrackSeconds * 1000));
  audio::Channel channel;
  ASSERT_EQ(system->playSound(audio::kChannelFree, sound, true, &channel), audio::kOk);
  ASSERT_EQ(channel.setPosition(1200, audio::kTimeUnitMs), audio::kOk);
  unsigned position = 0;
  EXPECT_EQ(channel.getPosition(&position, audio::kTimeUnitMs), audio::kOk);
  EXPECT_EQ(position, 1200u);
  // A second sound takes a slot of its own; the first, released, is gone.
  audio::Sound second;
  ASSERT_TRUE(soundFromTrack(system, track, &second));
  EXPECT_NE(second.index, sound.index);
  EXPECT_EQ(sound.release(), audio::kOk);
  EXPECT_EQ(channel.getPosition(&position, audio::kTimeUnitMs), audio::kErrInvalidHandle);
  EXPECT_EQ(second.getLength(&length, audio::kTimeUnitMs), audio::kOk);
  system->release();
}
