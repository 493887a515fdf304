// The audio system on OpenAL Soft's null output: what the demo's clock and
// its failure lines rest on. Bad files must give their codes, not crash;
// handles must go invalid, never dangle; a track played to its end must end
// its channel without the clock falling back to 0.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <thread>
#include <vector>

#include "audio/clock_trace.h"
#include "audio/system.h"
#include "support/temp_dir.h"
#include "support/test_track.h"

namespace {

using steadyClock = std::chrono::steady_clock;

// How far the clock may run ahead of the time since playback went on: a
// mixing period and the rounding to milliseconds. And how far behind it:
// after a start, a move or a resume the clock holds until the sound from
// there is heard, one output latency later (about 50 ms on the null
// output), and a busy machine mixes late.
constexpr double kAheadMs = 40;
constexpr double kBehindMs = 250;
// Long enough for a clock that stood still to fall behind by more than that.
constexpr auto kRunOn = std::chrono::milliseconds(400);

unsigned position(audio::Channel channel) {
  unsigned ms = 0;
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kOk);
  return ms;
}

void sleepFor(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

// Expects the channel's clock to have run on from `from` ms with the time
// since `since`.
void expectRanOn(audio::Channel channel, unsigned from, steadyClock::time_point since, const char* name = "") {
  unsigned at = position(channel);
  double elapsed = std::chrono::duration<double, std::milli>(steadyClock::now() - since).count();
  EXPECT_LE(at, from + elapsed + kAheadMs) << name;
  EXPECT_GE(at, from + elapsed - kBehindMs) << name;
}

class AudioSystem : public testing::Test {
 protected:
  audio::System* system = nullptr;

  void SetUp() override {
    ASSERT_EQ(audio::systemCreate(&system), audio::kOk);
    ASSERT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kOk);
  }
  void TearDown() override { system->release(); }

  audio::Sound loadTrack() {
    audio::Sound sound;
    EXPECT_EQ(system->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kOk);
    return sound;
  }
  audio::Channel play(audio::Sound sound) {
    audio::Channel channel;
    EXPECT_EQ(system->playSound(audio::kChannelFree, sound, false, &channel), audio::kOk);
    return channel;
  }
};

}  // namespace

TEST(AudioInit, RefusesUseBeforeAndTwice) {
  audio::System* system = nullptr;
  ASSERT_EQ(audio::systemCreate(&system), audio::kOk);
  audio::Sound sound;
  EXPECT_EQ(system->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kErrUninitialised);
  EXPECT_EQ(system->init(0, audio::kInitNormal, nullptr), audio::kErrInvalidParam);
  EXPECT_EQ(system->init(32, 0x40, nullptr), audio::kErrInvalidParam);
  EXPECT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kOk);
  EXPECT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kErrInitialised);
  system->release();
}

TEST_F(AudioSystem, FileThatIsNotThereFailsAtOnce) {
  audio::Sound sound;
  EXPECT_EQ(system->createSound("/nonexistent/track.mp3", audio::kDefault, nullptr, &sound), audio::kErrFileNotFound);
  EXPECT_EQ(sound.release(), audio::kErrInvalidHandle);
  audio::Channel channel;
  EXPECT_EQ(system->playSound(audio::kChannelFree, sound, false, &channel), audio::kErrInvalidHandle);
  unsigned ms = 0;
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
}

TEST_F(AudioSystem, FileThatDoesNotDecodeFailsWhenPlayedAndItsSoundGoesInvalid) {
  std::string dir = makeTempDir();
  writeFile(dir + "/empty.mp3", "");
  writeFile(dir + "/text.mp3", std::string(4000, 'x') + "\nnot an mp3 at all\n");
  for (const char* name : {"empty.mp3", "text.mp3"}) {
    std::string path = dir + "/" + name;
    audio::Sound sound;
    // Decoding goes on behind createSound; its failure shows when the sound is played.
    EXPECT_EQ(system->createSound(path.c_str(), audio::kDefault, nullptr, &sound), audio::kOk) << name;
    audio::Channel channel;
    EXPECT_EQ(system->playSound(audio::kChannelFree, sound, false, &channel), audio::kErrFormat) << name;
    EXPECT_EQ(system->playSound(audio::kChannelFree, sound, false, &channel), audio::kErrInvalidHandle) << name;
    unsigned ms = 0;
    EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle) << name;
    EXPECT_EQ(sound.release(), audio::kErrInvalidHandle) << name;
  }
}

TEST_F(AudioSystem, FolderOrPipeIsNoMusicFileAndFailsAtOnce) {
  std::string dir = makeTempDir();
  ASSERT_EQ(mkdir((dir + "/folder.mp3").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((dir + "/pipe.mp3").c_str(), 0644), 0);
  // A pipe with no writer must not hold the caller up.
  for (const char* name : {"folder.mp3", "pipe.mp3"}) {
    std::string path = dir + "/" + name;
    audio::Sound sound;
    EXPECT_EQ(system->createSound(path.c_str(), audio::kDefault, nullptr, &sound), audio::kErrFileNotFound) << name;
    audio::Channel channel;
    EXPECT_EQ(system->playSound(audio::kChannelFree, sound, false, &channel), audio::kErrInvalidHandle) << name;
  }
}

TEST_F(AudioSystem, SoundsStillDecodingAreWaitedForOnReleaseAndClose) {
  audio::Sound released = loadTrack();
  EXPECT_EQ(released.release(), audio::kOk);
  loadTrack();
  EXPECT_EQ(system->close(), audio::kOk);
}

TEST_F(AudioSystem, TruncatedTrackStillPlays) {
  std::string bytes = readFile(kTestTrack);
  std::string path = makeTempDir() + "/cut.mp3";
  writeFile(path, bytes.substr(0, bytes.size() / 3));
  audio::Sound sound;
  ASSERT_EQ(system->createSound(path.c_str(), audio::kDefault, nullptr, &sound), audio::kOk);
  unsigned ms = 0;
  EXPECT_EQ(play(sound).getPosition(&ms, audio::kTimeUnitMs), audio::kOk);
}

TEST_F(AudioSystem, UnsupportedPlayArgumentsAreRefused) {
  audio::Sound sound = loadTrack();
  audio::Channel channel;
  EXPECT_EQ(system->playSound(3, sound, false, &channel), audio::kErrInvalidParam);
  unsigned ms = 0;
  EXPECT_EQ(play(sound).getPosition(&ms, 2), audio::kErrInvalidParam);
}

TEST_F(AudioSystem, TrackPlaysToItsEndThenTheChannelIsInvalid) {
  audio::Channel channel = play(loadTrack());
  unsigned last = 0;
  unsigned ms = 0;
  audio::Result result;
  while ((result = channel.getPosition(&ms, audio::kTimeUnitMs)) == audio::kOk) {
    ASSERT_GE(ms, last);
    last = ms;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(result, audio::kErrInvalidHandle);
  EXPECT_NEAR(last, kTestTrackSeconds * 1000, 60);
  // The channel stays gone: the clock never comes back at 0.
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
}

TEST_F(AudioSystem, ClockSaysZeroUntilTheFirstSampleIsHeard) {
  clockTrace trace = traceClockToTheEnd(system);
  EXPECT_EQ(trace.endResult, audio::kErrInvalidHandle);
  // The start, before the mixer has played anything, was part of the trace.
  EXPECT_GT(trace.queriesBeforeHeard, 0);
  EXPECT_EQ(trace.largestBeforeHeardMs, 0u);
  EXPECT_FALSE(trace.wentBackwards);
}

TEST_F(AudioSystem, ReleasingTheSoundEndsItsChannel) {
  audio::Sound sound = loadTrack();
  audio::Channel channel = play(sound);
  EXPECT_EQ(sound.release(), audio::kOk);
  EXPECT_EQ(sound.release(), audio::kErrInvalidHandle);
  unsigned ms = 0;
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
}

TEST_F(AudioSystem, ClosingInvalidatesEveryHandle) {
  audio::Sound sound = loadTrack();
  audio::Channel channel = play(sound);
  EXPECT_EQ(system->close(), audio::kOk);
  unsigned ms = 0;
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
  EXPECT_EQ(sound.release(), audio::kErrInvalidHandle);
  EXPECT_EQ(system->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kErrUninitialised);
}

TEST_F(AudioSystem, EveryChannelBusyGivesNoFreeChannel) {
  audio::System* small = nullptr;
  ASSERT_EQ(audio::systemCreate(&small), audio::kOk);
  system->close();
  ASSERT_EQ(small->init(1, audio::kInitNormal, nullptr), audio::kOk);
  audio::Sound sound;
  ASSERT_EQ(small->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kOk);
  audio::Channel first, second;
  EXPECT_EQ(small->playSound(audio::kChannelFree, sound, false, &first), audio::kOk);
  EXPECT_EQ(small->playSound(audio::kChannelFree, sound, false, &second), audio::kErrNoFreeChannel);
  small->release();
}

TEST_F(AudioSystem, PausedChannelHoldsTheMomentAndResumesFromIt) {
  // Playing waits for the decoding: the clock starts when it returns.
  audio::Channel channel = play(loadTrack());
  auto started = steadyClock::now();
  sleepFor(kRunOn);
  expectRanOn(channel, 0, started);
  ASSERT_EQ(channel.setPaused(true), audio::kOk);
  unsigned pausedAt = position(channel);
  sleepFor(kRunOn);
  EXPECT_EQ(position(channel), pausedAt);
  // Pausing again changes nothing.
  ASSERT_EQ(channel.setPaused(true), audio::kOk);
  EXPECT_EQ(position(channel), pausedAt);

  auto resumed = steadyClock::now();
  ASSERT_EQ(channel.setPaused(false), audio::kOk);
  // It goes on from the paused moment, not from where the music would be by now.
  EXPECT_EQ(position(channel), pausedAt);
  sleepFor(kRunOn);
  expectRanOn(channel, pausedAt, resumed);
}

TEST_F(AudioSystem, MovedChannelSaysTheNewMomentAtOnceAndRunsOnFromIt) {
  const struct {
    const char* name;
    bool paused;
    unsigned from, to;
  } cases[] = {
      {"forward while playing", false, 100, 900},
      {"back while playing", false, 1000, 200},
      {"forward while paused", true, 100, 900},
      {"back while paused", true, 900, 300},
  };
  audio::Sound sound = loadTrack();
  for (const auto& c : cases) {
    audio::Channel channel = play(sound);
    ASSERT_EQ(channel.setPosition(c.from, audio::kTimeUnitMs), audio::kOk) << c.name;
    sleepFor(std::chrono::milliseconds(100));
    if (c.paused) {
      ASSERT_EQ(channel.setPaused(true), audio::kOk) << c.name;
    }
    auto moved = steadyClock::now();
    ASSERT_EQ(channel.setPosition(c.to, audio::kTimeUnitMs), audio::kOk) << c.name;
    EXPECT_EQ(position(channel), c.to) << c.name;
    if (c.paused) {
      sleepFor(std::chrono::milliseconds(200));
      EXPECT_EQ(position(channel), c.to) << c.name;
      moved = steadyClock::now();
      ASSERT_EQ(channel.setPaused(false), audio::kOk) << c.name;
    }
    sleepFor(kRunOn);
    expectRanOn(channel, c.to, moved, c.name);
  }
}

TEST_F(AudioSystem, PlayedPausedWaitsAtTheStartAndKeepsItsChannel) {
  audio::System* small = nullptr;
  ASSERT_EQ(audio::systemCreate(&small), audio::kOk);
  ASSERT_EQ(small->init(1, audio::kInitNormal, nullptr), audio::kOk);
  audio::Sound sound;
  ASSERT_EQ(small->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kOk);
  audio::Channel channel, other;
  ASSERT_EQ(small->playSound(audio::kChannelFree, sound, true, &channel), audio::kOk);
  sleepFor(std::chrono::milliseconds(200));
  EXPECT_EQ(position(channel), 0u);
  EXPECT_EQ(small->playSound(audio::kChannelFree, sound, false, &other), audio::kErrNoFreeChannel);
  auto resumed = steadyClock::now();
  ASSERT_EQ(channel.setPaused(false), audio::kOk);
  sleepFor(kRunOn);
  expectRanOn(channel, 0, resumed);
  small->release();
}

TEST_F(AudioSystem, MovesReachTheEndAndNoFurther) {
  audio::Sound sound = loadTrack();
  unsigned length = 0;
  ASSERT_EQ(sound.getLength(&length, audio::kTimeUnitMs), audio::kOk);
  EXPECT_NEAR(length, kTestTrackSeconds * 1000, 60);
  EXPECT_EQ(sound.getLength(&length, 2), audio::kErrInvalidParam);
  audio::Channel channel = play(sound);
  EXPECT_EQ(channel.setPosition(length + 1, audio::kTimeUnitMs), audio::kErrInvalidParam);
  EXPECT_EQ(channel.setPosition(100, 2), audio::kErrInvalidParam);
  // Moved to the very end, the channel ends as a sound played to its end does.
  ASSERT_EQ(channel.setPosition(length, audio::kTimeUnitMs), audio::kOk);
  unsigned ms = 0;
  audio::Result result;
  for (int i = 0; i < 200 && (result = channel.getPosition(&ms, audio::kTimeUnitMs)) == audio::kOk; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(result, audio::kErrInvalidHandle);
  EXPECT_EQ(channel.setPaused(true), audio::kErrInvalidHandle);
  EXPECT_EQ(channel.setPosition(0, audio::kTimeUnitMs), audio::kErrInvalidHandle);
}

TEST_F(AudioSystem, SoundFromSamplesPlaysAndMovesAsADecodedOne) {
  // A second of a 440 Hz tone, stereo, at 48 kHz.
  constexpr long kRate = 48000;
  std::vector<int16_t> samples(2 * kRate);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(8000 * std::sin(i / 2 * 2 * M_PI * 440 / kRate));
  audio::Sound sound;
  ASSERT_EQ(system->createSoundFromSamples(samples.data(), kRate, 2, kRate, &sound), audio::kOk);
  unsigned length = 0;
  EXPECT_EQ(sound.getLength(&length, audio::kTimeUnitMs), audio::kOk);
  EXPECT_EQ(length, 1000u);
  audio::Channel channel;
  ASSERT_EQ(system->playSound(audio::kChannelFree, sound, true, &channel), audio::kOk);
  ASSERT_EQ(channel.setPosition(700, audio::kTimeUnitMs), audio::kOk);
  EXPECT_EQ(position(channel), 700u);
  // A second sound takes a slot of its own; the first, released, is gone.
  audio::Sound second;
  ASSERT_EQ(system->createSoundFromSamples(samples.data(), kRate, 2, kRate, &second), audio::kOk);
  EXPECT_NE(second.index, sound.index);
  EXPECT_EQ(sound.release(), audio::kOk);
  unsigned ms = 0;
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
  EXPECT_EQ(second.getLength(&length, audio::kTimeUnitMs), audio::kOk);
  // What is not a sound is refused, and makes none.
  audio::Sound none;
  EXPECT_EQ(system->createSoundFromSamples(samples.data(), kRate / 3, 3, kRate, &none), audio::kErrFormat);
  EXPECT_EQ(system->createSoundFromSamples(samples.data(), 0, 2, kRate, &none), audio::kErrInvalidParam);
  EXPECT_EQ(system->createSoundFromSamples(nullptr, kRate, 2, kRate, &none), audio::kErrInvalidParam);
  EXPECT_EQ(none.getLength(&length, audio::kTimeUnitMs), audio::kErrInvalidHandle);
}

TEST(AudioHandles, DefaultHandlesAreInvalid) {
  audio::Sound sound;
  audio::Channel channel;
  unsigned ms = 0;
  EXPECT_EQ(sound.release(), audio::kErrInvalidHandle);
  EXPECT_EQ(sound.getLength(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
  EXPECT_EQ(channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
  EXPECT_EQ(channel.setPaused(true), audio::kErrInvalidHandle);
  EXPECT_EQ(channel.setPosition(0, audio::kTimeUnitMs), audio::kErrInvalidHandle);
}
