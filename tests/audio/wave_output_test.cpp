// Sound really comes out: the track is played through OpenAL Soft's
// wave-writer output (chosen by this test's environment) and the file it
// writes must hold the decoded track, at its length and its level.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <thread>

#include "audio/mp3_decoder.h"
#include "audio/system.h"
#include "support/sound_level.h"
#include "support/test_track.h"
#include "support/wav_file.h"

namespace {

constexpr int kSilence = 64;  // below this a 16-bit sample counts as quiet

// The first and one past the last frame louder than silence.
void loudSpan(const int16_t* samples, size_t frames, int channels, size_t* first, size_t* end) {
  *first = frames;
  *end = 0;
  for (size_t i = 0; i < frames * channels; ++i) {
    if (std::abs(samples[i]) > kSilence) {
      *first = std::min(*first, i / channels);
      *end = i / channels + 1;
    }
  }
}

}  // namespace

TEST(WaveOutput, WritesTheDecodedTrackAtItsLengthAndLevel) {
  audio::decodedAudio decoded;
  ASSERT_EQ(audio::decodeMp3(kTestTrack, &decoded), audio::kOk);
  EXPECT_NEAR(double(decoded.frames) / decoded.rate, kTestTrackSeconds, 0.01);
  // The encoder takes a few percent off a pure tone's level.
  EXPECT_NEAR(rms(decoded.samples, decoded.frames * decoded.channels), kTestTrackRms, 0.03);

  audio::System* system = nullptr;
  ASSERT_EQ(audio::systemCreate(&system), audio::kOk);
  ASSERT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kOk);
  audio::Sound sound;
  audio::Channel channel;
  ASSERT_EQ(system->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kOk);
  ASSERT_EQ(system->playSound(audio::kChannelFree, sound, false, &channel), audio::kOk);
  unsigned ms = 0;
  while (channel.getPosition(&ms, audio::kTimeUnitMs) == audio::kOk)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  system->release();  // closing the output finishes the file

  wavFile written;
  ASSERT_TRUE(readWav(WAVE_OUTPUT_FILE, &written));
  ASSERT_EQ(written.channels, 2);
  size_t first, end;
  loudSpan(written.samples.data(), written.samples.size() / 2, 2, &first, &end);
  ASSERT_LT(first, end) << "the output is silent";
  size_t decodedFirst, decodedEnd;
  loudSpan(decoded.samples, decoded.frames, decoded.channels, &decodedFirst, &decodedEnd);
  EXPECT_NEAR(double(end - first) / written.rate, double(decodedEnd - decodedFirst) / decoded.rate, 0.005);
  EXPECT_NEAR(rms(written.samples.data() + first * 2, (end - first) * 2),
              rms(decoded.samples + decodedFirst * 2, (decodedEnd - decodedFirst) * 2), 0.005);
}
