// The whole show as a viewer sees it, picture by picture. Every moment
// recorded in tests/scenes/pictures/ (a quarter second apart through all
// three scenes, closer around the fades, the word hits and the scene
// changes) is drawn as the capture tool draws it, and each reduced picture
// is held against its record. The tolerance absorbs another Mesa renderer or
// processor, not a fade, a size, a position, a colour or a moment changed
// by a fifth. A picture that fails is written with its record and their
// difference into show-pictures-failed/ in the build's tests folder.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "frame_image.h"
#include "reference_pictures.h"
#include "runtime/window.h"
#include "schedule/schedule.h"
#include "support/picture_difference.h"

namespace {

// How far a picture may differ from its record. A changed moment, position
// or size moves an edge: a difference past `largest`. A changed fade or
// colour shifts a whole area a little: more than `strays` pixels past
// `channel`.
class pictureTolerance {
 public:
  int largest, channel, strays;
};

// Measured against Mesa's softpipe, a renderer of its own beside llvmpipe
// (llvmpipe with 128-bit vectors or one thread draws the same bytes): the
// opening and the word slam differ by at most 4 in a channel. The
// scroller's sub-pixel spiral dots land on other pixels: up to 35 in a
// channel, in up to 68 pixels by more than 12.
constexpr pictureTolerance kBeforeTheScroller = {24, 4, 20};
constexpr pictureTolerance kScroller = {48, 12, 100};

// Writes the record, the picture drawn now and their difference into the
// failures folder.
void keepFailure(const std::string& name, const rgbImage& recorded, const rgbImage& drawn,
                 const pictureDifference& d) {
  std::filesystem::create_directories(FAILED_PICTURES_DIR);
  std::string stem = std::string(FAILED_PICTURES_DIR) + "/" + name.substr(0, name.size() - 4);
  writeRgbPng(stem + "-recorded.png", recorded.width, recorded.height, recorded.rgb);
  writeRgbPng(stem + "-drawn.png", drawn.width, drawn.height, drawn.rgb);
  if (!d.map.rgb.empty()) writeRgbPng(stem + "-difference.png", d.map.width, d.map.height, d.map.rgb);
}

}  // namespace

TEST(PictureDifference, CountsPixelsPastTheToleranceInAnyChannel) {
  rgbImage base{2, 1, {100, 100, 100, 200, 200, 200}};
  const struct {
    const char* name;
    rgbImage other;
    int largest, pixelsOver;
  } cases[] = {
      {"same", base, 0, 0},
      {"blue at the tolerance", {2, 1, {100, 100, 104, 200, 200, 200}}, 4, 0},
      {"green one past it", {2, 1, {100, 100, 100, 200, 195, 200}}, 5, 1},
      {"both pixels darker", {2, 1, {90, 100, 100, 200, 200, 190}}, 10, 2},
      {"another size", {1, 1, {100, 100, 100}}, 255, 2},
  };
  for (const auto& c : cases) {
    pictureDifference d = comparePictures(base, c.other, 4);
    EXPECT_EQ(d.largest, c.largest) << c.name;
    EXPECT_EQ(d.pixelsOver, c.pixelsOver) << c.name;
  }
}

TEST(ShowPictures, EveryRecordedMomentLooksAsRecorded) {
  // The record names its moments: a changed schedule is held against the
  // show as it was recorded, not against moments moved with it.
  std::vector<int> moments;
  for (const auto& entry : std::filesystem::directory_iterator(REFERENCE_DIR)) {
    int moment = 0;
    EXPECT_TRUE(referenceMoment(entry.path().filename().string(), &moment)) << entry.path() << " is no picture";
    moments.push_back(moment);
  }
  std::sort(moments.begin(), moments.end());
  ASSERT_FALSE(moments.empty());
  EXPECT_GE(moments.back(), kScrollerFadeOutEnd * 1000) << "the record stops before the end of the show";

  // Drawn as the capture tool draws, in the demo's folder with its files.
  ASSERT_EQ(glfwInit(), GLFW_TRUE);
  ASSERT_NE(openDemoWindow(false), nullptr);
  ASSERT_EQ(glewInit(), GLEW_OK);
  showCapture c{buildScenes(), 1 / 60.0, kWindowWidth, kWindowHeight};
  setFixedState();
  c.frameAt(-1);

  std::filesystem::remove_all(FAILED_PICTURES_DIR);
  int worst = 0;
  for (int moment : moments) {
    std::string name = referenceName(moment);
    rgbImage recorded = readPngImage(std::string(REFERENCE_DIR "/") + name);
    ASSERT_GT(recorded.width, 0) << name;
    rgbImage drawn{kReferenceWidth, kReferenceHeight, drawReference(c, moment)};
    pictureTolerance tolerance = moment < kScrollerStart * 1000 ? kBeforeTheScroller : kScroller;
    pictureDifference d = comparePictures(recorded, drawn, tolerance.channel);
    worst = std::max(worst, d.largest);
    bool alike = d.largest <= tolerance.largest && d.pixelsOver <= tolerance.strays;
    EXPECT_TRUE(alike) << name << ": " << d.pixelsOver << " pixels differ by more than " << tolerance.channel
                       << ", by up to " << d.largest;
    if (!alike) keepFailure(name, recorded, drawn, d);
  }
  printf("%zu pictures, the largest difference %d in a channel\n", moments.size(), worst);
}
