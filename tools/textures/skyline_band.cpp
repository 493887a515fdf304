#include "skyline_band.h"

#include <algorithm>
#include <cmath>

#include "coverage_mask.h"
#include "noise.h"
#include "prng.h"

namespace {

constexpr int kSamples = 4;  // per pixel along each axis
// On screen a texel is this many times wider than tall: round shapes are
// drawn narrow here so that they come out round.
constexpr float kStretch = 2.2f;
// Rows of the picture. Below about row 192 the band is outside the view.
constexpr float kGround = 176;
constexpr float kFarHills = 128;
constexpr float kHighestRoof = 14;
constexpr float kFarAlpha = 0.45f;
// The city starts left of the edge so that a building straddles the seam.
constexpr float kCityStart = -23;
constexpr colour kNearColour = {0.05f, 0.06f, 0.10f, 1};
// The band slides past the eye at about a hundred texels a second, so every
// shape along a row of it is a dark-light turn at each point of the screen:
// buildings, gaps and groves are broad, and lit windows and colonnades let
// only a little of the sky through, less than a tenth of white's luminance
// against the black facade around them.
constexpr float kGlassSeeThrough = 0.28f;
constexpr colour kFarColour = {0.30f, 0.35f, 0.44f, 1};
// Noise periods, in lattice cells across the whole band, keep the lines seamless.
constexpr int kGroundPeriod = 16, kHillPeriod = 6;

constexpr uint64_t kCitySeed = 301, kFarSeed = 302, kBirdSeed = 303;
constexpr uint32_t kGroundSeed = 311, kHillSeed = 312;

// Rows of lit windows in a facade, some dark ones left out.
void addWindows(coverageMask& glass, prng& random, float left, float right, float top, float bottom) {
  constexpr float cellWidth = 3, cellHeight = 6, windowWidth = 1.25f, windowHeight = 3;
  float litShare = random.range(0.15f, 0.5f);
  for (float y = top + 4; y + windowHeight < bottom; y += cellHeight)
    for (float x = left + 2; x + windowWidth < right - 1; x += cellWidth)
      if (random.chance(litShare)) glass.fillRect(x, y, x + windowWidth, y + windowHeight);
}

// Aerials, tanks and plant on a flat roof.
void addRoofDetail(coverageMask& mask, prng& random, float left, float right, float roof) {
  if (random.chance(0.5f)) {
    float x = random.range(left + 2, right - 6);
    mask.fillRect(x, roof - random.range(3, 6), x + random.range(4, 8), roof);
  }
  if (random.chance(0.45f)) {
    float x = random.range(left + 2, right - 3);
    mask.fillRect(x, roof - random.range(8, 22), x + 1, roof);
  }
  if (random.chance(0.3f)) {
    // A water tank on legs.
    float x = random.range(left + 3, std::max(left + 4, right - 10));
    mask.fillRect(x, roof - 4, x + 1, roof);
    mask.fillRect(x + 5, roof - 4, x + 6, roof);
    mask.fillEllipse(x + 3, roof - 8, 3.5f, 4.5f);
    mask.fillPolygon({{x - 0.5f, roof - 11}, {x + 3, roof - 14}, {x + 6.5f, roof - 11}});
  }
}

// The near city's solid shapes, and the lit openings in them.
struct city {
  coverageMask solid, glass;
};

void addBlock(city& c, prng& random, float left, float right) {
  float roof = random.range(96, 150);
  c.solid.fillRect(left, roof, right, kGround + 4);
  if (random.chance(0.35f)) c.solid.fillRect(left - 1, roof - 2, right + 1, roof);  // cornice
  if (random.chance(0.6f)) addWindows(c.glass, random, left, right, roof, kGround - 6);
  addRoofDetail(c.solid, random, left, right, roof);
}

void addSetbackTower(city& c, prng& random, float left, float right) {
  coverageMask& mask = c.solid;
  float roof = random.range(40, 90);
  float tier = (kGround - roof) / 3;
  for (int step = 0; step < 3; ++step) {
    float inset = (right - left) * 0.14f * step;
    float top = roof + tier * (2 - step);
    mask.fillRect(left + inset, top, right - inset, kGround + 4);
  }
  float middle = (left + right) / 2;
  mask.fillRect(middle - 0.5f, std::max(kHighestRoof, roof - random.range(14, 30)), middle + 0.5f, roof);
  if (random.chance(0.7f)) addWindows(c.glass, random, left, right, roof + tier * 2, kGround - 6);
}

void addSpireTower(city& c, prng& random, float left, float right) {
  coverageMask& mask = c.solid;
  float roof = random.range(50, 100);
  float middle = (left + right) / 2;
  float point = std::max(kHighestRoof, roof - (right - left) * kStretch * random.range(0.6f, 1.1f));
  mask.fillRect(left, roof, right, kGround + 4);
  mask.fillPolygon({{left - 1, roof + 0.5f}, {middle, point}, {right + 1, roof + 0.5f}});
  mask.fillRect(middle - 0.5f, point - 8, middle + 0.5f, point + 1);
  if (random.chance(0.6f)) addWindows(c.glass, random, left, right, roof, kGround - 6);
}

void addDomedHall(city& c, prng& random, float left, float right) {
  coverageMask& mask = c.solid;
  float roof = random.range(110, 140);
  float middle = (left + right) / 2, half = (right - left) / 2;
  mask.fillRect(left, roof, right, kGround + 4);
  float dome = std::min(half * 0.5f, 11.0f);
  mask.fillRect(middle - dome * 1.1f, roof - 8, middle + dome * 1.1f, roof + 1);  // drum
  mask.fillEllipse(middle, roof - 8, dome, dome * kStretch * 0.9f);
  float crown = roof - 8 - dome * kStretch * 0.9f;
  mask.fillRect(middle - 0.5f, crown - 7, middle + 0.5f, crown + 1);
  // Columns along the front.
  for (float x = left + 3; x + 2 < right - 2; x += 5) c.glass.fillRect(x + 1, roof + 4, x + 3, kGround - 2);
}

// Two or three houses side by side, their gables wide apart.
void addHouses(city& c, prng& random, float left, float right) {
  coverageMask& mask = c.solid;
  for (float x = left; x < right - 4;) {
    float width = std::min(right - x, random.range(20, 30));
    if (right - x - width < 20) width = right - x;
    float eaves = random.range(150, 160);
    float ridge = eaves - width * kStretch * random.range(0.25f, 0.45f);
    mask.fillRect(x, eaves, x + width, kGround + 4);
    mask.fillPolygon({{x - 1.5f, eaves + 0.5f}, {x + width / 2, ridge}, {x + width + 1.5f, eaves + 0.5f}});
    float chimney = x + width * random.range(0.6f, 0.8f);
    mask.fillRect(chimney, ridge + 1, chimney + 2, eaves - 2);
    c.glass.fillRect(x + width * 0.3f, eaves + 4, x + width * 0.3f + 2, eaves + 7);
    x += width;
  }
}

// A grove: crowns so close together that their tops run into one gently
// scalloped line, which does not flicker as it slides.
void addGrove(coverageMask& mask, prng& random, float left, float right) {
  float height = random.range(12, 20);
  mask.fillRect(left, kGround - height * 0.5f, right, kGround + 1);
  for (float x = left + 4; x < right - 3; x += random.range(7, 9)) {
    float crown = height * random.range(0.9f, 1.05f);
    mask.fillEllipse(x, kGround - crown * 0.55f, 7, crown * 0.45f);
  }
}

void addTvTower(city& c, float x) {
  coverageMask& mask = c.solid;
  mask.fillPolygon({{x - 5, kGround + 2}, {x - 1.5f, 60}, {x + 1.5f, 60}, {x + 5, kGround + 2}});
  mask.fillEllipse(x, 62, 5, 6);
  mask.fillRect(x - 3.5f, 67, x + 3.5f, 70);
  mask.fillRect(x - 1, 22, x + 1, 60);
  mask.fillRect(x - 0.5f, 6, x + 0.5f, 22);
  c.glass.fillRect(x - 6, 61, x + 6, 62.5f);  // the pod's window band
}

void addCrane(coverageMask& mask, float x) {
  constexpr float top = 46;
  mask.fillRect(x, top, x + 2, kGround + 2);
  for (float y = top + 4; y < kGround; y += 6) mask.fillPolygon({{x, y}, {x + 2, y + 5}, {x + 2, y + 6}, {x, y + 1}});
  mask.fillRect(x - 22, top, x + 70, top + 1.5f);             // jib and counter-jib
  mask.fillRect(x - 20, top + 1.5f, x - 10, top + 5);          // counterweight
  mask.fillPolygon({{x - 1, top}, {x + 1, top - 10}, {x + 3, top}});  // cap
  mask.fillRect(x + 52, top + 1.5f, x + 52.7f, top + 38);    // hook line
  mask.fillRect(x + 50, top + 38, x + 55, top + 41);
}

void addBird(coverageMask& mask, float x, float y, float span) {
  mask.fillPolygon({{x - span, y - span * 0.35f}, {x, y}, {x + span, y - span * 0.35f}, {x, y + 1.2f}});
}

// Far towers above the hills, broad and well apart.
void addFarTowers(coverageMask& far) {
  prng farRandom(kFarSeed);
  for (float x = farRandom.range(0, 20); x < kBandWidth - 30; x += farRandom.range(50, 100)) {
    float width = farRandom.range(18, 34), roof = farRandom.range(74, 118);
    far.fillRect(x, roof, x + width, kFarHills + 10);
    if (farRandom.chance(0.3f)) far.fillRect(x + width / 2 - 0.5f, roof - farRandom.range(6, 14), x + width / 2 + 0.5f, roof);
  }
}

// The near city, left to right; the last building ends where the first begins.
void addNearCity(city& near) {
  prng random(kCitySeed);
  constexpr float cityEnd = kCityStart + kBandWidth;
  float x = kCityStart;
  bool tvTower = false, crane = false;
  while (x < cityEnd - 8) {
    float width = std::min(random.range(28, 60), cityEnd - x);
    if (cityEnd - x - width < 28) width = cityEnd - x;
    int kind = random.below(12);
    if (!tvTower && x > 300) {
      addTvTower(near, x + 8);
      tvTower = true;
      width = 20;
    } else if (!crane && x > 680) {
      addBlock(near, random, x, x + width);
      addCrane(near.solid, x + width * 0.5f);
      crane = true;
    } else if (kind < 4) {
      addBlock(near, random, x, x + width);
    } else if (kind < 6) {
      addSetbackTower(near, random, x, x + width);
    } else if (kind < 8) {
      width = std::min(width, 34.0f);
      addSpireTower(near, random, x, x + width);
    } else if (kind < 9) {
      addDomedHall(near, random, x, x + std::max(width, 30.0f));
    } else if (kind < 11) {
      addHouses(near, random, x, x + width);
    } else {
      addGrove(near.solid, random, x, x + width);
    }
    x += width;
    if (x < cityEnd - 48 && random.chance(0.3f)) {
      float gap = random.range(20, 30);
      addGrove(near.solid, random, x, x + gap);
      x += gap;
    }
  }
}

}  // namespace

canvas paintSkylineBand() {
  city near{coverageMask(kBandWidth, kBandHeight, kSamples), coverageMask(kBandWidth, kBandHeight, kSamples)};
  coverageMask far(kBandWidth, kBandHeight, kSamples);

  // Ground and hills follow noise with a whole number of periods across the band.
  std::vector<float> ground(kBandWidth), hills(kBandWidth);
  for (int x = 0; x < kBandWidth; ++x) {
    float u = (x + 0.5f) / kBandWidth;
    ground[x] = kGround + 3 * fractalNoise(u * kGroundPeriod, 0.5f, 3, kGroundSeed, kGroundPeriod);
    hills[x] = kFarHills + 24 * fractalNoise(u * kHillPeriod, 0.5f, 4, kHillSeed, kHillPeriod);
  }
  near.solid.fillBelow(ground);
  far.fillBelow(hills);

  addFarTowers(far);
  addNearCity(near);

  prng birds(kBirdSeed);
  for (int i = 0; i < 7; ++i) addBird(near.solid, birds.range(0, kBandWidth), birds.range(10, 60), birds.range(2.5f, 4.5f));

  canvas band(kBandWidth, kBandHeight, kClear);
  for (int y = 0; y < kBandHeight; ++y) {
    for (int x = 0; x < kBandWidth; ++x) {
      colour c = withAlpha(kFarColour, kFarAlpha * far.coverage(x, y));
      float solid = near.solid.coverage(x, y) * (1 - kGlassSeeThrough * near.glass.coverage(x, y));
      band.at(x, y) = over(c, withAlpha(kNearColour, solid));
    }
  }
  return band;
}
