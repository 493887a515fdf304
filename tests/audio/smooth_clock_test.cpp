// The mixer moves its position in steps of one period; the clock must run on
// smoothly between them without getting ahead by more than a period and
// without ever running backwards, and say 0 until the first sample is heard.

#include <gtest/gtest.h>

#include "audio/smooth_clock.h"

namespace {

constexpr double kPeriod = 0.025;

audio::smoothClock startedClock() {
  audio::smoothClock clock;
  clock.restart(kPeriod);
  return clock;
}

}  // namespace

TEST(SmoothClock, ReportsTheMixerPositionWhenItMoves) {
  audio::smoothClock clock = startedClock();
  EXPECT_DOUBLE_EQ(clock.position(0.0, 10.0), 0.0);
  EXPECT_DOUBLE_EQ(clock.position(0.025, 10.025), 0.025);
}

TEST(SmoothClock, AdvancesWithTimeBetweenMixerUpdates) {
  audio::smoothClock clock = startedClock();
  clock.position(1.0, 10.0);
  EXPECT_DOUBLE_EQ(clock.position(1.0, 10.005), 1.005);
  EXPECT_DOUBLE_EQ(clock.position(1.0, 10.020), 1.020);
}

TEST(SmoothClock, NeverRunsMoreThanOnePeriodAheadOfTheMixer) {
  audio::smoothClock clock = startedClock();
  clock.position(1.0, 10.0);
  // The mixer has stalled: the clock stops a period on and waits for it.
  EXPECT_DOUBLE_EQ(clock.position(1.0, 10.1), 1.0 + kPeriod);
  EXPECT_DOUBLE_EQ(clock.position(1.0, 11.0), 1.0 + kPeriod);
}

TEST(SmoothClock, NeverRunsBackwardsWhenTheMixerLagsItsEstimate) {
  audio::smoothClock clock = startedClock();
  clock.position(1.0, 10.0);
  double ahead = clock.position(1.0, 10.024);
  // The mixer's next position is behind what the clock has already said.
  EXPECT_DOUBLE_EQ(clock.position(1.01, 10.025), ahead);
  EXPECT_DOUBLE_EQ(clock.position(1.01, 10.030), ahead);
  EXPECT_DOUBLE_EQ(clock.position(1.01, 10.045), 1.030);
}

TEST(SmoothClock, RestartGoesBackToZero) {
  audio::smoothClock clock = startedClock();
  clock.position(5.0, 10.0);
  clock.restart(kPeriod);
  EXPECT_DOUBLE_EQ(clock.position(0.0, 20.0), 0.0);
}

TEST(SmoothClock, RestartedAtAMomentSaysItUntilTheSoundFromThereIsHeard) {
  const double moves[] = {5.0, 0.5};  // forward from 1 s, and back from 5 s
  audio::smoothClock clock = startedClock();
  clock.position(1.0, 10.0);
  for (double to : moves) {
    clock.restart(kPeriod, to);
    // The output still plays what the mixer sent before the move.
    EXPECT_DOUBLE_EQ(clock.position(to - 0.05, 20.0), to) << to;
    EXPECT_DOUBLE_EQ(clock.position(to - 0.05, 20.04), to) << to;
    EXPECT_DOUBLE_EQ(clock.position(to + 0.01, 20.05), to + 0.01) << to;
    EXPECT_NEAR(clock.position(to + 0.01, 20.06), to + 0.02, 1e-9) << to;
  }
}

TEST(SmoothClock, SaysZeroUntilTheFirstSampleIsHeard) {
  audio::smoothClock clock = startedClock();
  // The mixer has not started the sound: nothing to run on from.
  EXPECT_DOUBLE_EQ(clock.position(0.0, 10.0), 0.0);
  EXPECT_DOUBLE_EQ(clock.position(0.0, 10.02), 0.0);
  // Mixed, but still on its way to the speaker.
  EXPECT_DOUBLE_EQ(clock.position(-0.04, 10.03), 0.0);
  EXPECT_DOUBLE_EQ(clock.position(-0.04, 10.05), 0.0);
  EXPECT_DOUBLE_EQ(clock.position(0.005, 10.075), 0.005);
  EXPECT_NEAR(clock.position(0.005, 10.08), 0.010, 1e-9);
}
