// The pictures the demo ships under data/textures/, as committed: each one
// decodes with libgd at a size the demo uploads, together they stay within
// the size budget, and each has the see-through and solid parts its scene
// relies on (the clear colour through the sun's gaps, the sky above the crags,
// words legible on the green, a band that slides without a seam).

#include <gtest/gtest.h>

#include <gd.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "support/gd_pixel.h"
#include "support/temp_dir.h"

namespace {

const std::string kTextureDir = std::string(VORLANE_SOURCE_DIR) + "/data/textures/";
const char* const kTextureFiles[] = {"sun.png",         "scene0_bg.png", "scene0_crag_ba.png",
                                     "scene0_crag.png", "greenbg.png",   "scroller.png"};
constexpr int kMaxSide = 1024;
constexpr size_t kMaxTotalBytes = 2000000;
constexpr int kGdOpaque = 0;
constexpr int kGdTransparent = 127;

using picture = std::unique_ptr<gdImage, void (*)(gdImagePtr)>;

picture loadPicture(const std::string& file) {
  std::string bytes = readFile(kTextureDir + file);
  gdImagePtr image = bytes.empty() ? nullptr : gdImageCreateFromPngPtr(int(bytes.size()), bytes.data());
  return picture(image, gdImageDestroy);
}

bool isClear(const gdPixel& t) { return t.gdAlpha == kGdTransparent; }
bool isSolid(const gdPixel& t) { return t.gdAlpha == kGdOpaque; }

double luminance(const gdPixel& t) { return (0.2126 * t.red + 0.7152 * t.green + 0.0722 * t.blue) / 255; }

// Texels in the rectangle [x0, x1) x [y0, y1) that fail the test.
int countFailing(gdImagePtr image, int x0, int y0, int x1, int y1, bool (*test)(const gdPixel&)) {
  int failing = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) failing += !test(gdPixelAt(image, x, y));
  return failing;
}

// Summed alpha difference between two columns.
int columnStep(gdImagePtr image, int a, int b) {
  int step = 0;
  for (int y = 0; y < gdImageSY(image); ++y) step += std::abs(gdPixelAt(image, a, y).gdAlpha - gdPixelAt(image, b, y).gdAlpha);
  return step;
}

}  // namespace

TEST(TextureFiles, EachDecodesAtMost1024ASide) {
  for (const char* file : kTextureFiles) {
    picture image = loadPicture(file);
    ASSERT_TRUE(image) << file << " is missing or does not decode";
    EXPECT_GT(gdImageSX(image.get()), 0) << file;
    EXPECT_GT(gdImageSY(image.get()), 0) << file;
    EXPECT_LE(gdImageSX(image.get()), kMaxSide) << file;
    EXPECT_LE(gdImageSY(image.get()), kMaxSide) << file;
  }
}

TEST(TextureFiles, AllSixTogetherFitInTwoMegabytes) {
  size_t total = 0;
  for (const char* file : kTextureFiles) total += readFile(kTextureDir + file).size();
  EXPECT_LE(total, kMaxTotalBytes);
}

TEST(SunTexture, CornersAreClearAndTheCentreIsSolid) {
  picture sun = loadPicture("sun.png");
  ASSERT_TRUE(sun);
  int w = gdImageSX(sun.get()), h = gdImageSY(sun.get());
  int corner = w / 16;
  EXPECT_EQ(countFailing(sun.get(), 0, 0, corner, corner, isClear), 0);
  EXPECT_EQ(countFailing(sun.get(), w - corner, 0, w, corner, isClear), 0);
  EXPECT_EQ(countFailing(sun.get(), 0, h - corner, corner, h, isClear), 0);
  EXPECT_EQ(countFailing(sun.get(), w - corner, h - corner, w, h, isClear), 0);
  EXPECT_EQ(countFailing(sun.get(), w / 2 - corner, h / 2 - corner, w / 2 + corner, h / 2 + corner, isSolid), 0);
}

// In the opening scene only the ring between about half and nine tenths of
// the sun's radius shows, around the other layers: there the rays and the
// gaps between them must take turns.
TEST(SunTexture, RaysAndGapsTakeTurnsAroundTheRingThatShows) {
  picture sun = loadPicture("sun.png");
  ASSERT_TRUE(sun);
  constexpr int kMinRays = 12, kSteps = 2048;
  constexpr double kPi = 3.14159265358979;
  double half = gdImageSX(sun.get()) / 2.0;
  for (double share : {0.55, 0.7, 0.85}) {
    std::vector<gdPixel> ring;
    for (int step = 0; step < kSteps; ++step) {
      double angle = 2 * kPi * step / kSteps;
      ring.push_back(gdPixelAt(sun.get(), int(half + share * half * std::cos(angle)),
                             int(half + share * half * std::sin(angle))));
    }
    // Start in a gap so that no ray is cut in two; a ray begins where a clear
    // stretch gives way to a mostly solid gdPixel.
    auto gap = std::find_if(ring.begin(), ring.end(), isClear);
    ASSERT_NE(gap, ring.end()) << "no gap at " << share << " of the radius";
    std::rotate(ring.begin(), gap, ring.end());
    int rays = 0;
    bool inRay = false;
    for (const gdPixel& t : ring) {
      if (!inRay && t.gdAlpha < kGdTransparent / 2) {
        inRay = true;
        ++rays;
      } else if (inRay && isClear(t)) {
        inRay = false;
      }
    }
    EXPECT_GE(rays, kMinRays) << "at " << share << " of the radius";
  }
}

TEST(CragTextures, SkyAlongTheTopRockAlongTheBottom) {
  picture back = loadPicture("scene0_crag_ba.png");
  ASSERT_TRUE(back);
  int w = gdImageSX(back.get()), h = gdImageSY(back.get());
  EXPECT_EQ(countFailing(back.get(), 0, 0, w, 1, isClear), 0) << "top row";
  EXPECT_EQ(countFailing(back.get(), 0, h - 1, w, h, isSolid), 0) << "bottom row";
}

// The front crags swell by up to a fifth about the picture's centre. Drawn a
// fifth smaller, they fill the frame at their largest and never spill over
// its edge onto the turning sun, where each swell would flash.
TEST(CragTextures, FrontCragsSwollenByAFifthFillTheFrameAndNoMore) {
  picture front = loadPicture("scene0_crag.png");
  ASSERT_TRUE(front);
  int w = gdImageSX(front.get()), h = gdImageSY(front.get());
  int left = int(w / 2 - w / 2 / 1.2) - 1, right = int(w / 2 + w / 2 / 1.2) + 1;
  int bottom = int(h / 2 + h / 2 / 1.2) + 1;
  EXPECT_EQ(countFailing(front.get(), 0, 0, w, 1, isClear), 0) << "top row";
  EXPECT_EQ(countFailing(front.get(), 0, 0, left, h, isClear), 0) << "left of the frame at a fifth smaller";
  EXPECT_EQ(countFailing(front.get(), right, 0, w, h, isClear), 0) << "right of it";
  EXPECT_EQ(countFailing(front.get(), 0, bottom, w, h, isClear), 0) << "below it";
  EXPECT_EQ(countFailing(front.get(), left + 3, bottom - 4, right - 3, bottom - 3, isSolid), 0)
      << "rock along the bottom of that frame";
}

TEST(CragTextures, BackLayerIsLighterThanTheFront) {
  double mean[2];
  const char* files[2] = {"scene0_crag_ba.png", "scene0_crag.png"};
  for (int i = 0; i < 2; ++i) {
    picture crag = loadPicture(files[i]);
    ASSERT_TRUE(crag) << files[i];
    double sum = 0;
    int count = 0;
    for (int y = 0; y < gdImageSY(crag.get()); ++y) {
      for (int x = 0; x < gdImageSX(crag.get()); ++x) {
        gdPixel t = gdPixelAt(crag.get(), x, y);
        if (!isSolid(t)) continue;
        sum += luminance(t);
        ++count;
      }
    }
    ASSERT_GT(count, 0) << files[i];
    mean[i] = sum / count;
  }
  EXPECT_GT(mean[0], mean[1] + 0.1);
}

TEST(OpaqueTextures, NoTexelIsSeeThrough) {
  for (const char* file : {"scene0_bg.png", "greenbg.png"}) {
    picture image = loadPicture(file);
    ASSERT_TRUE(image) << file;
    EXPECT_EQ(countFailing(image.get(), 0, 0, gdImageSX(image.get()), gdImageSY(image.get()), isSolid), 0) << file;
  }
}

TEST(GreenTexture, GreenIsTheStrongestChannelEverywhere) {
  picture green = loadPicture("greenbg.png");
  ASSERT_TRUE(green);
  int weak = 0;
  for (int y = 0; y < gdImageSY(green.get()); ++y) {
    for (int x = 0; x < gdImageSX(green.get()); ++x) {
      gdPixel t = gdPixelAt(green.get(), x, y);
      weak += t.green <= t.red || t.green <= t.blue;
    }
  }
  EXPECT_EQ(weak, 0);
}

// Dark navy and white words both have to read on it: a middle tone, textured
// but not busy.
TEST(GreenTexture, MidToneWithModerateContrast) {
  picture green = loadPicture("greenbg.png");
  ASSERT_TRUE(green);
  std::vector<double> tones;
  for (int y = 0; y < gdImageSY(green.get()); ++y)
    for (int x = 0; x < gdImageSX(green.get()); ++x) tones.push_back(luminance(gdPixelAt(green.get(), x, y)));
  double mean = 0, spread = 0;
  for (double tone : tones) mean += tone;
  mean /= double(tones.size());
  for (double tone : tones) spread += (tone - mean) * (tone - mean);
  spread = std::sqrt(spread / double(tones.size()));
  std::sort(tones.begin(), tones.end());
  EXPECT_GT(mean, 0.3);
  EXPECT_LT(mean, 0.6);
  EXPECT_GT(spread, 0.02) << "a flat fill";
  EXPECT_LT(spread, 0.12) << "too busy behind the words";
  EXPECT_LT(tones[tones.size() * 99 / 100] - tones[tones.size() / 100], 0.4);
}

TEST(ScrollerTexture, ClearSkyOverSolidGround) {
  picture band = loadPicture("scroller.png");
  ASSERT_TRUE(band);
  int w = gdImageSX(band.get()), h = gdImageSY(band.get());
  EXPECT_EQ(countFailing(band.get(), 0, 0, w, 1, isClear), 0) << "top row";
  EXPECT_EQ(countFailing(band.get(), 0, h - 1, w, h, isSolid), 0) << "bottom row";
  int clear = w * h - countFailing(band.get(), 0, 0, w, h, isClear);
  int solid = w * h - countFailing(band.get(), 0, 0, w, h, isSolid);
  EXPECT_GT(clear, w * h / 10);
  EXPECT_GT(solid, w * h / 10);
}

// The band repeats as it slides: from its last column to its first the
// silhouette changes no more than it does between most neighbouring columns.
// A band that does not wrap changes there as much as between two columns
// picked at random, which is more than nine steps in ten between neighbours.
TEST(ScrollerTexture, LastColumnRunsOnIntoTheFirst) {
  picture band = loadPicture("scroller.png");
  ASSERT_TRUE(band);
  int w = gdImageSX(band.get());
  std::vector<int> steps;
  for (int x = 0; x + 1 < w; ++x) steps.push_back(columnStep(band.get(), x, x + 1));
  std::sort(steps.begin(), steps.end());
  EXPECT_LE(columnStep(band.get(), w - 1, 0), steps[steps.size() * 9 / 10]);
}
