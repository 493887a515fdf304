// The timeline hands each moment to exactly one scene, and the exact scene
// boundaries to none. The boundaries are reached through the clock's
// millisecond-to-seconds conversion, so both are checked together.

#include <gtest/gtest.h>

#include "runtime/audio_state.h"
#include "runtime/timeline.h"

TEST(Timeline, SceneForEachMomentAroundTheBoundaries) {
  struct {
    float t;
    sceneSlot expected;
  } cases[] = {
      {0.0f, sceneSlot::opening},     {6.499f, sceneSlot::opening},   {6.5f, sceneSlot::none},
      {6.501f, sceneSlot::wordSlam},  {10.999f, sceneSlot::wordSlam}, {11.0f, sceneSlot::none},
      {11.001f, sceneSlot::scroller}, {48.9f, sceneSlot::scroller},
  };
  for (const auto& c : cases) EXPECT_EQ(sceneAt(c.t), c.expected) << c.t;
}

TEST(MusicClock, MillisecondsBecomeSingleSecondsAtTheBoundaries) {
  EXPECT_EQ(musicSeconds(6499), 6.499f);
  EXPECT_EQ(sceneAt(musicSeconds(6499)), sceneSlot::opening);
  EXPECT_EQ(musicSeconds(6500), 6.5f);
  EXPECT_EQ(sceneAt(musicSeconds(6500)), sceneSlot::none);
  EXPECT_EQ(sceneAt(musicSeconds(6501)), sceneSlot::wordSlam);
  EXPECT_EQ(sceneAt(musicSeconds(11000)), sceneSlot::none);
  EXPECT_EQ(sceneAt(musicSeconds(11001)), sceneSlot::scroller);
  // Rounded once to single precision: 6.8 s lands just above 6.8, 7.1 s just below.
  EXPECT_GT(double(musicSeconds(6800)), 6.8);
  EXPECT_LT(double(musicSeconds(7100)), 7.1);
}
