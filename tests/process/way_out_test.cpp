// Every way the demo ends gives the desktop back as it found it: on a real X
// server whose monitor runs at 1920 x 1080, the fullscreen demo switches it
// to 1280 x 720, and whether it ends by a failed load, a GL that lacks what
// the show needs, a signal, a crash, Escape or the end of the show, the
// monitor is back at 1920 x 1080 afterwards, with the documented line and
// status and nothing on standard error. A crash ends the demo by its own
// signal; the tests make it crash for real, in the middle of a frame, with
// a library preloaded in front of the GL.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "process/demo_process.h"
#include "support/literal_pattern.h"
#include "support/temp_dir.h"
#include "support/test_track.h"
#include "support/xorg_server.h"

namespace {

constexpr double kStartSeconds = 15;
const char* const kDesktopMode = "1920x1080";
const char* const kDemoMode = "1280x720";

enum class ending { failedLoad, signal, crash, escape, endOfTrack };

struct wayOut {
  const char* name;
  ending how;
  const char* removedFile;  // for a failed load
  int signal;               // for a signal or a crash
  int status;
  std::string line;  // a pattern: a GL's line names its renderer, which the test leaves open
  std::vector<std::string> environment = {};
};

// The environment that makes the demo crash by `signal`'s name once the
// file "crash-now" is in its folder.
std::vector<std::string> crashBy(const char* signal) {
  return {std::string("LD_PRELOAD=") + CRASH_IN_FRAME_LIBRARY, std::string("CRASH_SIGNAL=") + signal};
}

class WayOut : public testing::Test {
 protected:
  static std::unique_ptr<xorgServer> server;

  static void SetUpTestSuite() { server = std::make_unique<xorgServer>(); }
  static void TearDownTestSuite() { server.reset(); }
  void SetUp() override { ASSERT_FALSE(server->display.empty()) << "Xorg did not start"; }
};

std::unique_ptr<xorgServer> WayOut::server;

}  // namespace

TEST_F(WayOut, EveryEndingPutsTheDisplayModeBack) {
  const wayOut cases[] = {
      {"missing picture", ending::failedLoad, "data/textures/scene0_crag.png", 0, 255,
       literalPattern("[! data/textures/scene0_crag.png] file not found.\n")},
      {"missing shader", ending::failedLoad, "data/shaders/scroller.vert", 0, 255,
       literalPattern("Couldn't load shaderfile data/shaders/scroller.vert\n")},
      {"a GL 1.4, without GLSL programs", ending::failedLoad, nullptr, 0, 0,
       R"(This computer's OpenGL \(.+ 1\.4 .+\) cannot show vorlane: it has no GLSL programs \(OpenGL 2\.0\)\.\n)",
       {"MESA_GL_VERSION_OVERRIDE=1.4"}},
      {"SIGINT", ending::signal, nullptr, SIGINT, 128 + SIGINT, ""},
      {"SIGTERM", ending::signal, nullptr, SIGTERM, 128 + SIGTERM, ""},
      {"SIGHUP", ending::signal, nullptr, SIGHUP, 128 + SIGHUP, ""},
      {"a crash by SIGSEGV", ending::crash, nullptr, SIGSEGV, 128 + SIGSEGV, "", crashBy("SIGSEGV")},
      {"a crash by SIGBUS", ending::crash, nullptr, SIGBUS, 128 + SIGBUS, "", crashBy("SIGBUS")},
      {"a crash by SIGILL", ending::crash, nullptr, SIGILL, 128 + SIGILL, "", crashBy("SIGILL")},
      {"a crash by SIGFPE", ending::crash, nullptr, SIGFPE, 128 + SIGFPE, "", crashBy("SIGFPE")},
      {"a crash by SIGABRT", ending::crash, nullptr, SIGABRT, 128 + SIGABRT, "", crashBy("SIGABRT")},
      {"Escape", ending::escape, nullptr, 0, 0, ""},
      {"end of the track", ending::endOfTrack, nullptr, 0, 0,
       literalPattern("FMOD Error! (1) An invalid object handle was used.\n")},
  };
  for (const wayOut& way : cases) {
    ASSERT_EQ(server->currentMode(), kDesktopMode) << way.name;
    demoProcess demo(kTestTrack);
    demo.display = server->display;
    if (way.removedFile) unlink((demo.folder + "/" + way.removedFile).c_str());
    demo.start({}, way.environment);
    if (way.how != ending::failedLoad) {
      ASSERT_TRUE(demo.waitForWindow(kStartSeconds)) << way.name;
      EXPECT_EQ(server->currentMode(), kDemoMode) << way.name;
    }
    if (way.how == ending::signal) kill(demo.pid, way.signal);
    if (way.how == ending::crash) writeFile(demo.folder + "/crash-now", "");
    if (way.how == ending::escape) demo.tapKey("Escape");
    if (way.how == ending::endOfTrack) demo.tapKey("Up");
    EXPECT_EQ(demo.waitForExit(kStartSeconds), way.status) << way.name;
    EXPECT_TRUE(std::regex_match(demo.output(), std::regex(way.line))) << way.name << " printed: " << demo.output();
    EXPECT_EQ(demo.errors(), "") << way.name;
    EXPECT_EQ(server->currentMode(), kDesktopMode) << way.name;
    server->restoreMode();
  }
}
