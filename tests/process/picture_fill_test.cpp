// On a screen that cannot switch to 1280 x 720 the fullscreen demo still
// fills it: on a 16:9 screen of 1920 x 1080 the picture covers the whole
// screen, on a 4:3 one of 1024 x 768 it spans the full width, centred, with
// black bars above and below. Either way it is the picture the capture tool
// draws for the same moment, scaled.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "process/demo_process.h"
#include "support/rgb_image.h"
#include "support/temp_dir.h"
#include "support/test_track.h"
#include "support/xvfb_server.h"

namespace {

constexpr double kStartSeconds = 15;
// The screen is read while the test track (1.5 s) plays; the moment it
// shows is not known exactly, so it is compared with the capture tool's
// frames of the whole track, and the closest must match.
constexpr double kLookAfter = 1.0;
constexpr const char* kCaptureRange = " --from 0 --to 1.5 --fps 30";
// Compared coarsely, in blocks of 40 x 40 of the 1280 x 720 picture: the
// scaled picture is filtered, and the moments differ by up to half a frame.
// A picture out of place (in a corner at 1280 x 720, or stretched) scores
// about 10 dB; the right one about 35.
constexpr int kBlocksAcross = 32, kBlocksDown = 18;
constexpr double kLeastPsnr = 27;

struct screenCase {
  const char* name;
  int width, height;
  int pictureTop, pictureHeight;  // rows, counted from the top
};

// The capture tool's frames of the test track's time, in blocks.
std::vector<rgbImage> capturedFrames() {
  std::string dir = makeTempDir();
  runCommand("cd " DEMO_DIR " && " CAPTURE_BINARY + std::string(kCaptureRange) + " --out " + dir + " >/dev/null");
  std::vector<rgbImage> frames;
  for (const auto& file : std::filesystem::directory_iterator(dir))
    frames.push_back(blockAverage(readPngImage(file.path()), kBlocksAcross, kBlocksDown));
  std::filesystem::remove_all(dir);
  return frames;
}

// How closely the nearest of the frames matches `picture`, in dB.
double closestMatch(const rgbImage& picture, const std::vector<rgbImage>& frames) {
  double best = 0;
  for (const rgbImage& frame : frames) best = std::max(best, psnr(picture, frame));
  return best;
}

// True if every pixel of the rows from `top` on is black.
bool rowsBlack(const rgbImage& image, int top, int rows) {
  for (int y = top; y < top + rows; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.at(x, y)[0] || image.at(x, y)[1] || image.at(x, y)[2]) return false;
  return true;
}

}  // namespace

TEST(PictureFill, FullscreenFillsAScreenThatCannotSwitch) {
  std::vector<rgbImage> expected = capturedFrames();
  ASSERT_EQ(expected.size(), 46u) << "the capture tool drew no frames";
  const screenCase cases[] = {
      {"16:9 at 1920 x 1080", 1920, 1080, 0, 1080},
      {"4:3 at 1024 x 768", 1024, 768, 96, 576},
  };
  for (const screenCase& screen : cases) {
    xvfbServer server(screen.width, screen.height);
    ASSERT_FALSE(server.display.empty()) << screen.name << ": Xvfb did not start";
    demoProcess demo(kTestTrack);
    demo.display = server.display;
    demo.start();
    ASSERT_TRUE(demo.waitForWindow(kStartSeconds)) << screen.name;
    demo.tapKey("Up");
    std::this_thread::sleep_for(std::chrono::duration<double>(kLookAfter));
    rgbImage shown = windowImage(server.display, "root");
    demo.tapKey("Escape");
    EXPECT_EQ(demo.waitForExit(kStartSeconds), 0) << screen.name;
    EXPECT_EQ(demo.errors(), "") << screen.name;

    ASSERT_EQ(shown.width, screen.width) << screen.name;
    ASSERT_EQ(shown.height, screen.height) << screen.name;
    int below = screen.pictureTop + screen.pictureHeight;
    EXPECT_TRUE(rowsBlack(shown, 0, screen.pictureTop)) << screen.name << ": the bar above";
    EXPECT_TRUE(rowsBlack(shown, below, screen.height - below)) << screen.name << ": the bar below";
    rgbImage picture = cropImage(shown, 0, screen.pictureTop, screen.width, screen.pictureHeight);
    double match = closestMatch(blockAverage(picture, kBlocksAcross, kBlocksDown), expected);
    EXPECT_GE(match, kLeastPsnr) << screen.name;
    printf("%s: the picture against the capture tool's, in 40-pixel blocks: %.1f dB\n", screen.name, match);
  }
}
