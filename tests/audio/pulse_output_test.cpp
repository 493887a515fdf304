// The clock through a real sound server (PulseAudio with a null sink, which
// keeps real buffering and timing): it says 0 until the server says the
// first sample is heard, and the channel ends only once the last sample has
// been heard, also when the sound is played again after an end, as the
// preview does. OpenAL Soft picks its output once per process, so these
// tests have a program of their own.

#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/clock_trace.h"
#include "support/pulse_server.h"
#include "support/test_track.h"

namespace {

class PulseOutput : public testing::Test {
 protected:
  pulseServer server;
  std::vector<std::string> environment;
  audio::System* system = nullptr;

  void SetUp() override {
    ASSERT_TRUE(server.ready());
    environment = server.openAlEnvironment();
    for (const std::string& pair : environment) putenv(const_cast<char*>(pair.c_str()));
    ASSERT_EQ(audio::systemCreate(&system), audio::kOk);
    ASSERT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kOk);
  }
  void TearDown() override {
    if (system) system->release();
  }
};

}  // namespace

TEST_F(PulseOutput, ClockFollowsWhatIsHeardFromTheFirstQueryToTheLastSample) {
  clockTrace trace = traceClockToTheEnd(system);
  EXPECT_EQ(trace.endResult, audio::kErrInvalidHandle);
  EXPECT_GT(trace.queriesBeforeHeard, 0);
  EXPECT_EQ(trace.largestBeforeHeardMs, 0u);
  EXPECT_FALSE(trace.wentBackwards);
  // The last position is the track's length, less at most a few queries.
  EXPECT_GE(trace.lastPositionMs, kTestTrackSeconds * 1000 - 5);
}

TEST_F(PulseOutput, AfterTheEndASoundPlayedAgainFromEarlierLastsToItsNewEnd) {
  ASSERT_EQ(traceClockToTheEnd(system).endResult, audio::kErrInvalidHandle);
  // As the preview goes on after the end: a channel started paused, moved
  // back a second and resumed. Nothing of the first end may end it early.
  audio::Sound sound;
  audio::Channel channel;
  ASSERT_EQ(system->createSound(kTestTrack, audio::kDefault, nullptr, &sound), audio::kOk);
  ASSERT_EQ(system->playSound(audio::kChannelFree, sound, true, &channel), audio::kOk);
  const unsigned from = unsigned(kTestTrackSeconds * 1000) - 1000;
  ASSERT_EQ(channel.setPosition(from, audio::kTimeUnitMs), audio::kOk);
  ASSERT_EQ(channel.setPaused(false), audio::kOk);
  clockTrace trace = traceChannelToTheEnd(system, channel);
  EXPECT_EQ(trace.endResult, audio::kErrInvalidHandle);
  EXPECT_FALSE(trace.wentBackwards);
  EXPECT_GE(trace.lastPositionMs, kTestTrackSeconds * 1000 - 5) << "the channel ended before its last sample was heard";
}
