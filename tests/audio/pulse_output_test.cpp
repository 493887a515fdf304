// The clock through a real sound server (PulseAudio with a null sink, which
// keeps real buffering and timing): it says 0 until the server says the
// first sample is heard, and the channel ends only once the last sample has
// been heard. OpenAL Soft picks its output once per
// process, so these tests have a program of their own.

#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/clock_trace.h"
#include "support/pulse_server.h"
#include "support/test_track.h"

TEST(PulseOutput, ClockFollowsWhatIsHeardFromTheFirstQueryToTheLastSample) {
  pulseServer server;
  ASSERT_TRUE(server.ready());
  std::vector<std::string> environment = server.openAlEnvironment();
  for (const std::string& pair : environment) putenv(const_cast<char*>(pair.c_str()));
  audio::System* system = nullptr;
  ASSERT_EQ(audio::systemCreate(&system), audio::kOk);
  ASSERT_EQ(system->init(32, audio::kInitNormal, nullptr), audio::kOk);

  clockTrace trace = traceClockToTheEnd(system);
  EXPECT_EQ(trace.endResult, audio::kErrInvalidHandle);
  EXPECT_GT(trace.queriesBeforeHeard, 0);
  EXPECT_EQ(trace.largestBeforeHeardMs, 0u);
  EXPECT_FALSE(trace.wentBackwards);
  // The last position is the track's length, less at most a few queries.
  EXPECT_GE(trace.lastPositionMs, kTestTrackSeconds * 1000 - 5);
  system->release();
}
