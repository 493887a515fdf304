// On a screen that cannot switch to 1280 x 720 the fullscreen demo still
// fills it: on a 16:9 screen of 1920 x 1080 the picture covers the whole
// screen, on a 4:3 one of 1024 x 768 it spans the full width, centred, with
// black bars above and below. Either way it is the picture the capture tool
// draws for the same moment, scaled. Scaled down, it is filtered through
// the render target's mipmaps, not sampled from the full-size picture alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

#include "process/demo_process.h"
#include "support/rgb_image.h"
#include "support/temp_dir.h"
#include "support/test_track.h"
#include "support/window_reader.h"
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
    rgbImage shown = windowReader(server.display, "root").picture();
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

namespace {

// The scroller at 20 s: the spiral's dots, two pixels wide, the colonnades'
// thin columns and the small text lines.
constexpr double kDetailedMoment = 20;
constexpr int kShownWidth = 1024, kShownHeight = 576, kShownTop = 96;
// Measured: the picture shown at 1024 x 576 matches its mipmapped reduction
// at about 50 dB, the reduction without mipmaps at 38 and the nearest pixels
// at 27; a GL_LINEAR filter gives 37 against the mipmapped reduction and 51
// against its own.
constexpr double kLeastMipmappedPsnr = 44;
constexpr double kLeastLead = 6;

// The capture tool's frame for `seconds` in a window of `size` ("WxH") on
// `display` (empty: the test's own).
rgbImage capturedFrame(double seconds, const std::string& size, const std::string& display) {
  std::string dir = makeTempDir();
  std::string onDisplay = display.empty() ? "" : "DISPLAY=" + display + " ";
  runCommand("cd " DEMO_DIR " && " + onDisplay + CAPTURE_BINARY " --at " + std::to_string(seconds) + " --size " +
             size + " --out " + dir + "/frame.png >/dev/null");
  rgbImage frame = readPngImage(dir + "/frame.png");
  std::filesystem::remove_all(dir);
  return frame;
}

// Channel `c` of `image` at (x, y), in pixels from its top left corner,
// interpolated between the four nearest pixel centres; the edges repeat.
double bilinearSample(const rgbImage& image, double x, double y, int c) {
  int left = int(std::floor(x - 0.5)), top = int(std::floor(y - 0.5));
  double across = x - 0.5 - left, down = y - 0.5 - top;
  auto pixel = [&image, c](int px, int py) {
    return double(image.at(std::clamp(px, 0, image.width - 1), std::clamp(py, 0, image.height - 1))[c]);
  };
  return (1 - down) * ((1 - across) * pixel(left, top) + across * pixel(left + 1, top)) +
         down * ((1 - across) * pixel(left, top + 1) + across * pixel(left + 1, top + 1));
}

// `image` shown at `width` x `height`, each pixel sampled at its centre
// between the image's pixels and those of its half-size mean (its first
// mipmap), the half-size one weighing `halfSizeShare`: log2 of how many
// times smaller it is shown, as mipmaps filter it, or 0 without them.
rgbImage linearReduction(const rgbImage& image, int width, int height, double halfSizeShare) {
  rgbImage halfSize = blockAverage(image, image.width / 2, image.height / 2);
  double scaleX = double(image.width) / width, scaleY = double(image.height) / height;
  rgbImage small;
  small.width = width;
  small.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      double u = (x + 0.5) * scaleX, v = (y + 0.5) * scaleY;
      for (int c = 0; c < 3; ++c) {
        double value = (1 - halfSizeShare) * bilinearSample(image, u, v, c) +
                       halfSizeShare * bilinearSample(halfSize, u / 2, v / 2, c);
        small.rgb.push_back((unsigned char)std::lround(value));
      }
    }
  return small;
}

// `image` shown at `width` x `height` by taking the pixel under each centre.
rgbImage nearestReduction(const rgbImage& image, int width, int height) {
  rgbImage small;
  small.width = width;
  small.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int column = (2 * x + 1) * image.width / (2 * width), row = (2 * y + 1) * image.height / (2 * height);
      const unsigned char* p = image.at(column, row);
      small.rgb.insert(small.rgb.end(), p, p + 3);
    }
  return small;
}

}  // namespace

TEST(PictureFill, PictureShownSmallerIsFilteredThroughMipmaps) {
  rgbImage whole = capturedFrame(kDetailedMoment, "1280x720", "");
  ASSERT_EQ(whole.width, 1280) << "the capture tool drew no full-size frame";
  xvfbServer server(1024, 768);
  ASSERT_FALSE(server.display.empty()) << "Xvfb did not start";
  rgbImage screen = capturedFrame(kDetailedMoment, "1024x768", server.display);
  ASSERT_EQ(screen.width, 1024) << "the capture tool drew no frame on the 1024 x 768 screen";
  rgbImage shown = cropImage(screen, 0, kShownTop, kShownWidth, kShownHeight);

  // Shown 1.25 times smaller, the GL takes log2 1.25 (0.32) of each pixel
  // from the half-size mipmap.
  double halfSizeShare = std::log2(double(whole.width) / kShownWidth);
  double mipmapped = psnr(shown, linearReduction(whole, kShownWidth, kShownHeight, halfSizeShare));
  EXPECT_GE(mipmapped, kLeastMipmappedPsnr) << "against the mipmapped reduction";
  printf("the picture shown at 1024 x 576 against the mipmapped reduction: %.1f dB\n", mipmapped);
  const struct {
    const char* what;
    rgbImage reduction;
  } unfiltered[] = {
      {"the reduction without mipmaps", linearReduction(whole, kShownWidth, kShownHeight, 0)},
      {"the nearest pixels", nearestReduction(whole, kShownWidth, kShownHeight)},
  };
  for (const auto& other : unfiltered) {
    double match = psnr(shown, other.reduction);
    EXPECT_GE(mipmapped - match, kLeastLead) << "the picture is hardly closer to the mipmapped reduction ("
                                             << mipmapped << " dB) than to " << other.what << " (" << match << " dB)";
    printf("  against %s: %.1f dB\n", other.what, match);
  }
}
