// The viewer's keys: Up starts the music once, on release; Escape asks the
// window to close and leaves the ending to the frame loop (GLFW must not be
// terminated inside its callback); everything else is ignored. How the demo
// then ends, its status and its output, the exit table's test holds.

#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <unistd.h>

#include "runtime/audio_state.h"
#include "runtime/key_callback.h"
#include "runtime/window.h"
#include "support/gl_window.h"
#include "support/test_track.h"

namespace {

class KeyCallback : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The audio mixer runs a thread; a forked child would inherit its locks.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
  void SetUp() override {
    audioState = audioRecord();
    audioInit(kTestTrack);
  }
  void TearDown() override {
    audioState.sound.release();
    audioState.system->release();
    audioState = audioRecord();
  }

  static bool musicPlays() {
    unsigned ms = 0;
    return audioState.channel.getPosition(&ms, audio::kTimeUnitMs) == audio::kOk;
  }
};

}  // namespace

TEST_F(KeyCallback, UpStartsTheMusicWhenReleasedNotWhenPressed) {
  keyCallback(GLFW_KEY_UP, GLFW_PRESS);
  keyCallback(GLFW_KEY_UP, GLFW_REPEAT);
  EXPECT_FALSE(audioState.started);
  EXPECT_FALSE(musicPlays());
  keyCallback(GLFW_KEY_UP, GLFW_RELEASE);
  EXPECT_TRUE(audioState.started);
  EXPECT_TRUE(musicPlays());
}

TEST_F(KeyCallback, SecondUpReleaseKeepsTheFirstPlayback) {
  keyCallback(GLFW_KEY_UP, GLFW_RELEASE);
  audio::Channel first = audioState.channel;
  keyCallback(GLFW_KEY_UP, GLFW_RELEASE);
  EXPECT_EQ(audioState.channel.index, first.index);
  EXPECT_EQ(audioState.channel.generation, first.generation);
  // No second channel was started beside the first.
  int busy = 0;
  for (const audio::channelSlot& slot : audioState.system->channels) busy += slot.busy;
  EXPECT_EQ(busy, 1);
}

TEST_F(KeyCallback, OtherKeysAreIgnored) {
  for (int key : {GLFW_KEY_ENTER, GLFW_KEY_SPACE, GLFW_KEY_KP_8, GLFW_KEY_DOWN, GLFW_KEY_W}) {
    keyCallback(key, GLFW_PRESS);
    keyCallback(key, GLFW_RELEASE);
  }
  keyCallback(GLFW_KEY_ESCAPE, GLFW_PRESS);
  EXPECT_FALSE(audioState.started);
  EXPECT_FALSE(musicPlays());
}

TEST_F(KeyCallback, EscapeReleaseAsksTheWindowToCloseAndReturns) {
  glWindow test;
  demoWindow = test.window;
  keyCallback(GLFW_KEY_UP, GLFW_RELEASE);
  keyCallback(GLFW_KEY_ESCAPE, GLFW_PRESS);
  EXPECT_FALSE(glfwWindowShouldClose(demoWindow));
  // The callback returns, leaving the window, GLFW and the music for the
  // frame loop to release: a callback that ended the process itself would
  // exit 0 here.
  constexpr int kReturned = 42;
  EXPECT_EXIT((keyCallback(GLFW_KEY_ESCAPE, GLFW_RELEASE),
               _exit(glfwWindowShouldClose(demoWindow) && glfwGetCurrentContext() && musicPlays() ? kReturned : 1)),
              testing::ExitedWithCode(kReturned), "");
  demoWindow = nullptr;
}
