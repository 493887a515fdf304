// Every way the demo ends gives the desktop back as it found it: on a real X
// server whose monitor runs at 1920 x 1080, the fullscreen demo switches it
// to 1280 x 720, and whether it ends by a failed load, a signal, Escape or
// the end of the show, the monitor is back at 1920 x 1080 afterwards, with
// the documented line and status and nothing on standard error.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <memory>

#include "process/demo_process.h"
#include "support/test_track.h"
#include "support/xorg_server.h"

namespace {

constexpr double kStartSeconds = 15;
const char* const kDesktopMode = "1920x1080";
const char* const kDemoMode = "1280x720";

enum class ending { failedLoad, signal, escape, endOfTrack };

struct wayOut {
  const char* name;
  ending how;
  const char* removedFile;  // for a failed load
  int signal;               // for a signal
  int status;
  std::string line;
};

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
       "[! data/textures/scene0_crag.png] file not found.\n"},
      {"missing shader", ending::failedLoad, "data/shaders/scroller.vert", 0, 255,
       "Couldn't load shaderfile data/shaders/scroller.vert\n"},
      {"SIGINT", ending::signal, nullptr, SIGINT, 128 + SIGINT, ""},
      {"SIGTERM", ending::signal, nullptr, SIGTERM, 128 + SIGTERM, ""},
      {"SIGHUP", ending::signal, nullptr, SIGHUP, 128 + SIGHUP, ""},
      {"Escape", ending::escape, nullptr, 0, 0, ""},
      {"end of the track", ending::endOfTrack, nullptr, 0, 0, "FMOD Error! (1) An invalid object handle was used.\n"},
  };
  for (const wayOut& way : cases) {
    ASSERT_EQ(server->currentMode(), kDesktopMode) << way.name;
    demoProcess demo(kTestTrack);
    demo.display = server->display;
    if (way.removedFile) unlink((demo.folder + "/" + way.removedFile).c_str());
    demo.start();
    if (way.how != ending::failedLoad) {
      ASSERT_TRUE(demo.waitForWindow(kStartSeconds)) << way.name;
      EXPECT_EQ(server->currentMode(), kDemoMode) << way.name;
    }
    if (way.how == ending::signal) kill(demo.pid, way.signal);
    if (way.how == ending::escape) demo.tapKey("Escape");
    if (way.how == ending::endOfTrack) demo.tapKey("Up");
    EXPECT_EQ(demo.waitForExit(kStartSeconds), way.status) << way.name;
    EXPECT_EQ(demo.output(), way.line) << way.name;
    EXPECT_EQ(demo.errors(), "") << way.name;
    EXPECT_EQ(server->currentMode(), kDesktopMode) << way.name;
    server->restoreMode();
  }
}
