// The demo as a viewer meets it: started in a folder of its own under X,
// controlled with real key presses, judged by what it prints, its exit
// status, an empty standard error, and the pointer it hides. Each way it
// ends is in the exit table's test.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "process/demo_process.h"
#include "support/test_track.h"

namespace {

constexpr double kStartSeconds = 10;
const char* const kEndLine = "FMOD Error! (1) An invalid object handle was used.\n";

}  // namespace

TEST(DemoProcess, UpPlaysTheTrackAndItsEndEndsTheShow) {
  demoProcess demo(kTestTrack);
  demo.start();
  ASSERT_TRUE(demo.waitForWindow(kStartSeconds));
  auto pressed = std::chrono::steady_clock::now();
  demo.tapKey("Up");
  EXPECT_EQ(demo.waitForExit(kTestTrackSeconds + 5), 0);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count();
  EXPECT_EQ(demo.output(), kEndLine);
  EXPECT_EQ(demo.errors(), "");
  EXPECT_GT(seconds, kTestTrackSeconds - 0.1);
  EXPECT_LT(seconds, kTestTrackSeconds + 2);
}

TEST(DemoProcess, OtherKeysNeitherStartNorEnd) {
  demoProcess demo(kTestTrack);
  demo.start();
  ASSERT_TRUE(demo.waitForWindow(kStartSeconds));
  demo.tapKey("Return");
  demo.tapKey("space");
  demo.tapKey("KP_8");
  // Still waiting after longer than the track: nothing started it.
  EXPECT_EQ(demo.waitForExit(kTestTrackSeconds + 0.5), -1);
  EXPECT_EQ(demo.output(), "");
  EXPECT_EQ(demo.errors(), "");
}

// A machine with no sound output, however OpenAL Soft looks for one: the
// demo's own line and nothing on standard error, where ALSA and OpenAL Soft
// would write their reasons, unless ALSOFT_LOGLEVEL asks for them. The card
// and the server named here exist on no machine.
TEST(DemoProcess, NoAudioOutputPrintsItsErrorLineAloneUnlessAskedForDiagnostics) {
  struct outputCase {
    const char* name;
    std::vector<std::string> environment;
    bool diagnostics;
  } cases[] = {
      {"an unknown output", {"ALSOFT_DRIVERS=no-such-output"}, false},
      {"ALSA with no card", {"ALSOFT_DRIVERS=alsa", "ALSA_CARD=no-such-card"}, false},
      {"no PulseAudio server, then ALSA with no card",
       {"ALSOFT_DRIVERS=pulse,alsa", "PULSE_SERVER=unix:/nonexistent/native", "ALSA_CARD=no-such-card"},
       false},
      {"ALSA with no card and ALSOFT_LOGLEVEL=1",
       {"ALSOFT_DRIVERS=alsa", "ALSA_CARD=no-such-card", "ALSOFT_LOGLEVEL=1"},
       true},
  };
  for (const outputCase& c : cases) {
    SCOPED_TRACE(c.name);
    demoProcess demo(kTestTrack);
    demo.start({"ALSOFT_LOGLEVEL"}, c.environment);
    EXPECT_EQ(demo.waitForExit(kStartSeconds), 0);
    EXPECT_EQ(demo.output(), "FMOD Error! (5) No audio output device could be opened.\n");
    if (c.diagnostics) {
      EXPECT_NE(demo.errors().find("ALSA lib "), std::string::npos) << demo.errors();
      EXPECT_NE(demo.errors().find("AL lib: (EE) "), std::string::npos) << demo.errors();
    } else {
      EXPECT_EQ(demo.errors(), "");
    }
  }
}

TEST(DemoProcess, MissingFontIsReportedByEachSceneAndTheShowGoesOn) {
  demoProcess demo(kTestTrack);
  unlink((demo.folder + "/BorisBlackBloxx.ttf").c_str());
  demo.start();
  ASSERT_TRUE(demo.waitForWindow(kStartSeconds));
  demo.tapKey("Up");
  EXPECT_EQ(demo.waitForExit(kTestTrackSeconds + 5), 0);
  EXPECT_EQ(demo.output(), "Error loading font from BorisBlackBloxx.ttf\nError loading font from BorisBlackBloxx.ttf\n" +
                               std::string(kEndLine));
  EXPECT_EQ(demo.errors(), "");
}

TEST(DemoProcess, PointerIsHiddenOverTheShowAndShownAgainAfter) {
  // The X server's own cursor at the pointer: how many of its pixels show.
  auto shownCursorPixels = [] { return std::stoi("0" + runCommand(CURSOR_IMAGE_BINARY)); };
  ASSERT_GT(shownCursorPixels(), 0) << "the desktop's cursor should show before the demo starts";
  demoProcess demo(kTestTrack);
  demo.start();
  ASSERT_TRUE(demo.waitForWindow(kStartSeconds));
  demo.tapKey("Up");
  EXPECT_EQ(shownCursorPixels(), 0);
  EXPECT_EQ(demo.waitForExit(kTestTrackSeconds + 5), 0);
  EXPECT_GT(shownCursorPixels(), 0);
}
