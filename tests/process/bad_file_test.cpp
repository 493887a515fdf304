// Damaged or odd files in place of the demo's own: each ends the demo at
// once with its one line and status, never hangs it and never makes it take
// gigabytes. A pipe nobody writes to would block a plain open for ever; a
// tiny PNG can declare billions of pixels; a file past 4 GiB must not be
// read as its first bytes.

#include <gtest/gtest.h>

#include <unistd.h>

#include "process/demo_process.h"
#include "support/blank_png.h"
#include "support/temp_dir.h"
#include "support/test_track.h"

namespace {

constexpr double kExitSeconds = 15;
// The demo's own working set, with the driver and the decoded music, is
// about 200 MB; a picture it should have refused would add gigabytes.
constexpr long kMemoryCeilingKilobytes = 500 * 1024;

const char* const kPicture = "data/textures/scene0_crag.png";
const char* const kShader = "data/shaders/scroller.frag";

enum class damage { pipe, folder, hugePicture, pastFourGibibytes };

struct badFile {
  const char* name;
  const char* file;
  damage kind;
  std::string line;
};

void inflict(demoProcess* demo, const badFile& bad) {
  std::string path = demo->folder + "/" + bad.file;
  switch (bad.kind) {
    case damage::pipe:
      demo->replaceWithPipe(bad.file);
      break;
    case damage::folder:
      demo->replaceWithFolder(bad.file);
      break;
    case damage::hugePicture:
      writeFile(path, blankPng(46340, 46340));
      break;
    case damage::pastFourGibibytes:
      // The real picture, then a hole: a sparse file that costs no disk.
      ASSERT_EQ(truncate(path.c_str(), (4LL << 30) + 100), 0);
      break;
  }
}

}  // namespace

TEST(BadFile, EndsTheDemoAtOnceWithItsLineAndLittleMemory) {
  const badFile cases[] = {
      {"pipe picture", kPicture, damage::pipe, "[! data/textures/scene0_crag.png] file not found.\n"},
      {"folder picture", kPicture, damage::folder, "[! data/textures/scene0_crag.png] file not found.\n"},
      {"huge picture", kPicture, damage::hugePicture, "[! data/textures/scene0_crag.png] could not be decoded.\n"},
      {"picture past 4 GiB", kPicture, damage::pastFourGibibytes,
       "[! data/textures/scene0_crag.png] could not be decoded.\n"},
      {"pipe shader", kShader, damage::pipe, "Couldn't load shaderfile data/shaders/scroller.frag\n"},
      {"folder shader", kShader, damage::folder, "Couldn't load shaderfile data/shaders/scroller.frag\n"},
  };
  for (const badFile& bad : cases) {
    demoProcess demo(kTestTrack);
    inflict(&demo, bad);
    demo.start();
    EXPECT_EQ(demo.waitForExit(kExitSeconds), 255) << bad.name;
    EXPECT_EQ(demo.output(), bad.line) << bad.name;
    EXPECT_EQ(demo.errors(), "") << bad.name;
    EXPECT_LT(demo.peakKilobytes, kMemoryCeilingKilobytes) << bad.name;
  }
}

TEST(BadFile, PipeInPlaceOfTheMusicFailsAtTheFirstClockQuery) {
  demoProcess demo(kTestTrack);
  demo.replaceWithPipe("data/vorlane.mp3");
  demo.start();
  ASSERT_TRUE(demo.waitForWindow(kExitSeconds));
  demo.tapKey("Up");
  EXPECT_EQ(demo.waitForExit(5), 0);
  EXPECT_EQ(demo.output(), "FMOD Error! (1) An invalid object handle was used.\n");
  EXPECT_EQ(demo.errors(), "");
}
