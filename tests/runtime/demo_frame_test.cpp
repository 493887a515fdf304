// The show frame by frame, through the same frame function the demo's loop
// calls, with the repository's own pictures, fonts and shaders: what the
// viewer sees at the scene boundaries, the word-slam thresholds on the
// demo's millisecond clock, the scroller's band, and the fades.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "runtime/audio_state.h"
#include "runtime/demo_frame.h"
#include "render/text_face.h"
#include "schedule/schedule.h"
#include "support/gl_window.h"

namespace {

constexpr int kWidth = kTestWindowWidth, kHeight = kTestWindowHeight;

class DemoFrame : public testing::Test {
 protected:
  glWindow window;
  demoScenes scenes;

  void SetUp() override {
    // The tests run in the demo's folder, beside its data/ and fonts.
    scenes = buildScenes();
    setFixedState();
  }

  void frame(float t) {
    drawFrame(scenes, t >= 0, [t] { return t; });
  }
  // The frame the demo draws when its clock reads `milliseconds`, after the
  // frame a millisecond earlier.
  void frameAtClock(unsigned milliseconds) {
    frame(musicSeconds(milliseconds - 1));
    frame(musicSeconds(milliseconds));
  }
};

// True if every pixel of the window is `colour`, give or take one step.
bool windowIs(rgba colour) {
  std::vector<unsigned char> pixels = windowPixels();
  for (size_t i = 0; i < pixels.size(); i += 4)
    for (int c = 0; c < 3; ++c)
      if (std::abs(pixels[i + c] - colour[c]) > 1) return false;
  return true;
}

// Window pixel for a point of the scene plane at depth 100, where x and y
// run from -50 to 50 across the picture.
int screenX(float x) { return int((x + 50) / 100 * kWidth); }
int screenY(float y) { return int((y + 50) / 100 * kHeight); }

// True if the plane's rectangle holds a pixel of the small words' dark navy.
bool navyIn(float left, float bottom, float right, float top) {
  for (int y = screenY(bottom); y <= screenY(top); ++y)
    for (int x = screenX(left); x <= screenX(right); ++x) {
      rgba p = readPixel(x, y);
      if (p[0] < 40 && p[1] < 40 && p[2] < 60) return true;
    }
  return false;
}

// How many "Tscha!" copies the column shows, as a viewer counts them: the
// copies are stacked a little more than their height apart, so right of the
// other words (the plane's x from 14 on) each copy is one run of rows with
// the words' navy, and the runs are separated by rows without.
int tschaCopies() {
  constexpr int kGapRows = 4;
  int copies = 0;
  int emptyRows = kGapRows;
  for (int y = screenY(-48); y <= screenY(48); ++y) {
    bool ink = false;
    for (int x = screenX(14); x < kWidth && !ink; ++x) {
      rgba p = readPixel(x, y);
      ink = p[0] < 40 && p[1] < 40 && p[2] < 60;
    }
    if (ink && emptyRows >= kGapRows) ++copies;
    emptyRows = ink ? 0 : emptyRows + 1;
  }
  return copies;
}

}  // namespace

TEST_F(DemoFrame, WaitingFrameAndTheShowsFirstFrameAreBlack) {
  frame(-1);
  EXPECT_TRUE(windowIs({0, 0, 0}));
  frame(0);
  EXPECT_TRUE(windowIs({0, 0, 0}));
}

TEST_F(DemoFrame, OpeningClearColourAtQuarterPiIsWhite) {
  // The frame after the opening's last one is cleared with its target's
  // colour: at t = pi/4 that is sin(pi/2) = 1, white.
  frame(float(M_PI / 4));
  frame(6.5f);
  EXPECT_TRUE(windowIs({255, 255, 255}));
}

TEST_F(DemoFrame, ExactSceneBoundariesDrawNoSceneOverThePreviousClear) {
  frame(6.499f);
  frame(6.5f);
  int red = int(std::lround(std::sin(double(2 * 6.499f)) * 255));
  EXPECT_TRUE(windowIs({red, 255, 255}));
  frame(10.999f);
  frame(11.0f);
  EXPECT_TRUE(windowIs({0, 0, 0}));
}

TEST_F(DemoFrame, SmallWordsAppearAtTheirClockReadings) {
  struct {
    unsigned before, from;
    float left, bottom, right, top;  // where the word's start lies on the plane
  } words[] = {
      {6799, 6800, -20, 0.5f, -10, 3.5f},   // "Dirty"
      {7100, 7101, -10, -19.5f, 0, -16.5f}, // "Kebab!"
  };
  for (const auto& w : words) {
    frameAtClock(w.before);
    EXPECT_FALSE(navyIn(w.left, w.bottom, w.right, w.top)) << w.before;
    frameAtClock(w.from);
    EXPECT_TRUE(navyIn(w.left, w.bottom, w.right, w.top)) << w.from;
  }
}

TEST_F(DemoFrame, TschaColumnGrowsByOneCopyEachSixteenth) {
  struct {
    float a;
    int copies;
  } cases[] = {{1.0f, 0}, {1.001f, 1}, {1.2f, 2}, {2.0f, 7}, {2.4f, 10}, {2.5f, 11}, {2.65f, 11}};
  for (const auto& c : cases) {
    frame(6.5f + c.a);
    EXPECT_EQ(tschaCopies(), c.copies) << "a = " << c.a;
  }
}

TEST_F(DemoFrame, WindowIsBlackAfterTheWordSlamFadeOut) {
  for (float t : {10.5f, 10.6f, 10.9f, 10.999f}) {
    frame(t);
    EXPECT_TRUE(windowIs({0, 0, 0})) << t;
  }
}

TEST_F(DemoFrame, ScrollerBandCoversTheLowerThirtyPercentAndRepeatsEveryTenSeconds) {
  // At 12 s the greetings line has not come into view yet.
  auto bandMask = [&](float t) {
    frame(t - 0.01f);
    frame(t);
    std::vector<unsigned char> pixels = windowPixels();
    std::vector<bool> black;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const unsigned char* p = &pixels[(size_t(y) * kWidth + x) * 4];
        black.push_back(p[0] < 8 && p[1] < 8 && p[2] < 8);
      }
    return black;
  };
  std::vector<bool> at12 = bandMask(12);
  int bandTop = int(kHeight * 0.3);
  int blackInBand = 0, blackAboveBand = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < 200; ++x) (y < bandTop ? blackInBand : blackAboveBand) += at12[size_t(y) * kWidth + x];
  EXPECT_GT(blackInBand, 200 * bandTop / 4);
  EXPECT_EQ(blackAboveBand, 0);
  // Ten seconds on, the band's silhouette is where it was, but for edge
  // texels that blend over a sun turned elsewhere; five seconds on it has
  // slid half an image along.
  auto differingInBand = [&](const std::vector<bool>& other) {
    int differing = 0;
    for (int y = 0; y < bandTop - 4; ++y)
      for (int x = 0; x < kWidth; ++x) differing += at12[size_t(y) * kWidth + x] != other[size_t(y) * kWidth + x];
    return differing;
  };
  int bandPixels = kWidth * (bandTop - 4);
  EXPECT_LT(differingInBand(bandMask(22)), bandPixels / 100);
  EXPECT_GT(differingInBand(bandMask(17)), bandPixels / 10);
}

TEST_F(DemoFrame, NoFrameAfterASceneFirstFrameBuildsAGlyph) {
  // Tessellating glyphs in the middle of the show costs frames: every word
  // is built before. Every half second of each scene, after its first
  // frame, misses no word: a word stays on screen once shown.
  const struct {
    float from, to;
  } scenes[] = {{0, kWordSlamStart}, {kWordSlamStart, kScrollerStart}, {kScrollerStart, float(kScrollerFadeOutEnd)}};
  for (const auto& scene : scenes) {
    frame(scene.from + 0.001f);
    unsigned long built = tessellatedGlyphCount();
    for (float t = scene.from + 0.5f; t < scene.to; t += 0.5f) frame(t);
    EXPECT_EQ(tessellatedGlyphCount(), built) << "from " << scene.from << " s";
  }
}

TEST_F(DemoFrame, NothingOfTheScrollerShowsFromFortyEightPointNine) {
  frame(48.89f);
  frame(48.9f);
  int red = int(std::lround(std::fmax(0.0, std::sin(double(2 * 48.89f))) * 255));
  EXPECT_TRUE(windowIs({red, 255, 255}));
}
