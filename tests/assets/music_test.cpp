// The show's music as the repository holds it. data/vorlane.mp3, decoded by
// our own audio layer, must last as long as the show, hit on every word of
// the word slam, never clip, and fall silent once the scroller has faded.
// The tests' short track comes from the same synthesizer and is checked too.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "audio/mp3_decoder.h"
#include "schedule/schedule.h"
#include "support/sound_level.h"
#include "support/test_track.h"

namespace {

constexpr const char* kMusicPath = VORLANE_SOURCE_DIR "/data/vorlane.mp3";
constexpr long kRate = 44100;
constexpr int kChannels = 2;


// A word's hit: the level over the 40 ms after the word (past a 5 ms attack)
// against the 40 ms before it.
constexpr double kHitWindow = 0.04;
constexpr double kHitAttack = 0.005;
constexpr double kHitRise = 2.0;  // 6 dB

class decodedTrack {
 public:
  audio::Result result = audio::kErrFormat;
  audio::decodedAudio audio;

  double seconds() const { return double(audio.frames) / double(audio.rate); }
};

// Decoded once: every test reads the same fifty seconds.
const decodedTrack& music() {
  static decodedTrack* track = [] {
    decodedTrack* decoded = new decodedTrack;
    decoded->result = audio::decodeMp3(kMusicPath, &decoded->audio);
    return decoded;
  }();
  return *track;
}

// Root mean square of the channels in [from, to) seconds, or of one channel;
// 1 is a full-scale square wave.
double rmsBetween(const audio::decodedAudio& track, double from, double to, int channel = -1) {
  size_t first = size_t(std::max(0.0, from) * double(track.rate));
  size_t last = std::min(track.frames, size_t(to * double(track.rate)));
  if (last <= first) return 0;
  size_t channels = size_t(track.channels);
  const int16_t* start = track.samples + first * channels;
  if (channel < 0) return rms(start, (last - first) * channels);
  return rms(start + channel, last - first, channels);
}

double decibels(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

TEST(Music, DecodesToTheShowsLengthInStereo) {
  ASSERT_EQ(music().result, audio::kOk);
  EXPECT_EQ(music().audio.rate, kRate);
  EXPECT_EQ(music().audio.channels, kChannels);
  EXPECT_GE(music().seconds(), 49.0);
  EXPECT_LE(music().seconds(), 50.0);
}

class wordHit {
 public:
  std::string word;
  double seconds;
};

// Every word of the word slam as it appears on screen.
std::vector<wordHit> wordHits() {
  std::vector<wordHit> hits = {{"Quick", kQuickAt}, {"Dirty", kDirtyAt}, {"Kebab", kKebabAt}};
  for (int k = 0; k < kTschaCount; ++k)
    hits.push_back({"Tscha" + std::to_string(k + 1), kFirstTschaAt + k * kTschaSpacing});
  hits.push_back({"Ba", kBaAt});
  hits.push_back({"Slam", kSlamAt});
  return hits;
}

// Names the case in test output.
void PrintTo(const wordHit& hit, std::ostream* out) { *out << hit.word << " at " << hit.seconds << " s"; }

class MusicWordHit : public testing::TestWithParam<wordHit> {};

TEST_P(MusicWordHit, IsClearlyLouderJustAfterTheWordThanJustBefore) {
  ASSERT_EQ(music().result, audio::kOk);
  double at = GetParam().seconds;
  double before = rmsBetween(music().audio, at - kHitWindow, at);
  double after = rmsBetween(music().audio, at + kHitAttack, at + kHitAttack + kHitWindow);
  EXPECT_GT(after, kHitRise * before) << GetParam().word << " at " << at << " s: " << decibels(before)
                                      << " dB before, " << decibels(after) << " dB after";
}

INSTANTIATE_TEST_SUITE_P(WordSlam, MusicWordHit, testing::ValuesIn(wordHits()),
                         [](const testing::TestParamInfo<wordHit>& info) { return info.param.word; });

TEST(Music, NoSampleReachesFullScale) {
  ASSERT_EQ(music().result, audio::kOk);
  size_t atFullScale = 0;
  for (size_t i = 0; i < music().audio.frames * size_t(music().audio.channels); ++i) {
    if (std::abs(int(music().audio.samples[i])) >= 32767) ++atFullScale;
  }
  EXPECT_EQ(atFullScale, 0u);
}

TEST(Music, RisesWithTheOpeningPictureOverTheFirstSecond) {
  ASSERT_EQ(music().result, audio::kOk);
  double start = rmsBetween(music().audio, 0.0, 0.2);
  double end = rmsBetween(music().audio, 0.8, 1.0);
  EXPECT_GT(decibels(end) - decibels(start), 10.0);
}

TEST(Music, BreaksWhileTheWordSlamFadesOut) {
  ASSERT_EQ(music().result, audio::kOk);
  double slam = rmsBetween(music().audio, 9.3, 10.1);
  double gap = rmsBetween(music().audio, 10.5, 10.7);
  EXPECT_GT(decibels(slam) - decibels(gap), 20.0);
}

// No beat of the scroller section drops out.
TEST(Music, PlaysOnThroughEveryBeatOfTheScroller) {
  ASSERT_EQ(music().result, audio::kOk);
  constexpr double kBeat = 0.6;
  constexpr double kQuietest = -30.0;
  for (double at = kScrollerStart; at + kBeat <= kScrollerFadeOutStart; at += kBeat) {
    EXPECT_GT(decibels(rmsBetween(music().audio, at, at + kBeat)), kQuietest) << "beat at " << at << " s";
  }
}

TEST(Music, SpreadsTheScrollerAcrossBothChannels) {
  ASSERT_EQ(music().result, audio::kOk);
  const audio::decodedAudio& track = music().audio;
  double mid = 0, side = 0;
  for (size_t frame = size_t(kScrollerStart * kRate); frame < size_t(kScrollerFadeOutStart * kRate); ++frame) {
    double left = track.samples[frame * 2];
    double right = track.samples[frame * 2 + 1];
    mid += (left + right) * (left + right);
    side += (left - right) * (left - right);
  }
  EXPECT_GT(std::sqrt(side / mid), 0.2);
}

TEST(Music, IsSilentOnceTheScrollerHasFadedOut) {
  ASSERT_EQ(music().result, audio::kOk);
  double scroller = rmsBetween(music().audio, kScrollerStart, kScrollerFadeOutStart);
  double after = rmsBetween(music().audio, kScrollerFadeOutEnd, music().seconds());
  EXPECT_LT(decibels(after), -60.0);
  EXPECT_GT(decibels(scroller) - decibels(after), 40.0);
}

// Sign changes per second on one channel, over the steady middle of a tone:
// twice its frequency.
double crossingsPerSecond(const audio::decodedAudio& track, int channel, double from, double to) {
  int crossings = 0;
  size_t first = size_t(from * double(track.rate));
  size_t last = size_t(to * double(track.rate));
  for (size_t frame = first + 1; frame < last; ++frame) {
    int16_t previous = track.samples[(frame - 1) * size_t(track.channels) + size_t(channel)];
    int16_t current = track.samples[frame * size_t(track.channels) + size_t(channel)];
    if ((previous < 0) != (current < 0)) ++crossings;
  }
  return crossings / (to - from);
}

TEST(MusicTestTrack, LastsOneAndAHalfSecondsInStereo) {
  audio::decodedAudio track;
  ASSERT_EQ(audio::decodeMp3(kTestTrack, &track), audio::kOk);
  EXPECT_EQ(track.rate, kRate);
  EXPECT_EQ(track.channels, kChannels);
  EXPECT_NEAR(double(track.frames) / double(track.rate), 1.5, 0.01);
}

TEST(MusicTestTrack, Carries440HzLeftAnd550HzRightAtHalfScale) {
  audio::decodedAudio track;
  ASSERT_EQ(audio::decodeMp3(kTestTrack, &track), audio::kOk);
  ASSERT_EQ(track.channels, kChannels);
  EXPECT_NEAR(crossingsPerSecond(track, 0, 0.25, 1.25), 2 * 440.0, 4.0);
  EXPECT_NEAR(crossingsPerSecond(track, 1, 0.25, 1.25), 2 * 550.0, 4.0);
  // The encoder takes off about half a decibel.
  EXPECT_NEAR(rmsBetween(track, 0.25, 1.25, 0), kTestTrackRms, 0.03);
  EXPECT_NEAR(rmsBetween(track, 0.25, 1.25, 1), kTestTrackRms, 0.03);
}

}  // namespace
