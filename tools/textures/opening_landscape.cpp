#include "opening_landscape.h"

#include <cmath>

#include "noise.h"
#include "prng.h"
#include "rock.h"

namespace {

constexpr float kWidth = kLandscapeWidth, kHeight = kLandscapeHeight;

constexpr colour kZenith = {0.16f, 0.40f, 0.78f, 1};
constexpr colour kHorizon = {0.78f, 0.91f, 0.97f, 1};
constexpr colour kCloudLit = {1, 1, 1, 1};
constexpr colour kCloudShadow = {0.64f, 0.72f, 0.86f, 1};
constexpr colour kHaze = {0.74f, 0.86f, 0.95f, 1};
constexpr float kHorizonRow = 0.52f * kHeight;
// Clouds sit in this band of the sky; light comes from the upper left.
constexpr float kCloudTop = 0.02f * kHeight, kCloudBottom = 0.46f * kHeight;
constexpr float kCloudLightOffsetX = -10, kCloudLightOffsetY = -7;

constexpr uint32_t kCloudSeed = 101, kWispSeed = 102, kMountainSeed = 110, kForestSeed = 120, kMeadowSeed = 130;
constexpr uint32_t kBackCragSeed = 140, kFrontCragSeed = 150;
constexpr uint64_t kTreeSeed = 160;
// The near crags swell by up to a fifth three times a second. Drawn this much
// smaller, they fill the frame at their largest and never spill over it onto
// the turning sun behind; and their tones stay within a tenth of white's
// luminance of each other, so that nothing inside them flickers as they swell.
constexpr float kFrontCragSwell = 1.2f;
// Distant firs along the forest's edge, as small steep spires.
constexpr float kTreeSpacingMin = 4, kTreeSpacingMax = 10;
constexpr float kTreeHeightMin = 5, kTreeHeightMax = 17;

// A spire given in fractions of the picture, its slopes in pixels per pixel.
struct spireShape {
  float x, top, leftSlope, rightSlope;
};

std::vector<spire> placeSpires(const std::vector<spireShape>& shapes) {
  std::vector<spire> spires;
  for (const spireShape& s : shapes) spires.push_back({s.x * kWidth, s.top * kHeight, s.leftSlope, s.rightSlope});
  return spires;
}

// A base line at `row` (a fraction of the height) that rolls by `roll` pixels.
std::vector<float> rollingBase(float row, float roll, float period, uint32_t seed) {
  std::vector<float> base(kLandscapeWidth);
  for (int x = 0; x < kLandscapeWidth; ++x) base[x] = row * kHeight + roll * fractalNoise(x / period, 0.5f, 3, seed);
  return base;
}

// The picture drawn `factor` times smaller about its centre, clear around it.
canvas shrunkAboutCentre(const canvas& picture, float factor) {
  constexpr int kSubsamples = 3;
  canvas shrunk(picture.width, picture.height, kClear);
  float cx = picture.width * 0.5f, cy = picture.height * 0.5f;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      colour sum = kClear;
      for (int sy = 0; sy < kSubsamples; ++sy)
        for (int sx = 0; sx < kSubsamples; ++sx) {
          int px = int(std::floor(cx + (x + (sx + 0.5f) / kSubsamples - cx) * factor));
          int py = int(std::floor(cy + (y + (sy + 0.5f) / kSubsamples - cy) * factor));
          if (px >= 0 && py >= 0 && px < picture.width && py < picture.height)
            sum = addWeighted(sum, picture.at(px, py));
        }
      shrunk.at(x, y) = weightedMean(sum, kSubsamples * kSubsamples);
    }
  }
  return shrunk;
}

void paintSky(canvas& picture) {
  for (int y = 0; y < kLandscapeHeight; ++y) {
    float height = std::pow(clamp01(y / kHorizonRow), 1.4f);
    colour air = mix(kZenith, kHorizon, height);
    float envelope = smoothstep(kCloudTop, kCloudTop + 0.1f * kHeight, y) * smoothstep(kCloudBottom, kCloudBottom - 0.15f * kHeight, y);
    for (int x = 0; x < kLandscapeWidth; ++x) {
      colour c = air;
      float density = fractalNoise(x / 230.0f, y / 75.0f, 6, kCloudSeed);
      float cloud = smoothstep(0.08f, 0.42f, density) * envelope;
      if (cloud > 0) {
        // Denser air towards the light means this side is in the cloud's own shadow.
        float towardLight = fractalNoise((x + kCloudLightOffsetX) / 230.0f, (y + kCloudLightOffsetY) / 75.0f, 6, kCloudSeed);
        float shadow = clamp01((towardLight - density) * 5) * 0.8f + 0.2f * (1 - cloud);
        c = mix(c, mix(kCloudLit, kCloudShadow, shadow), cloud * 0.95f);
      }
      // Thin high streaks.
      float wisp = smoothstep(0.3f, 0.7f, fractalNoise(x / 420.0f, y / 18.0f, 4, kWispSeed)) * envelope;
      c = mix(c, kCloudLit, wisp * 0.35f);
      picture.at(x, y) = c;
    }
  }
}

}  // namespace

canvas paintOpeningBackground() {
  canvas picture(kLandscapeWidth, kLandscapeHeight, kHorizon);
  paintSky(picture);

  cragLine mountains(kLandscapeWidth, rollingBase(0.47f, 8, 200, kMountainSeed),
                     placeSpires({{-0.02f, 0.30f, 0.7f, 0.6f}, {0.12f, 0.25f, 0.6f, 0.8f}, {0.24f, 0.33f, 0.7f, 0.5f},
                                  {0.38f, 0.27f, 0.55f, 0.75f}, {0.52f, 0.22f, 0.65f, 0.6f}, {0.63f, 0.31f, 0.6f, 0.7f},
                                  {0.76f, 0.26f, 0.7f, 0.55f}, {0.88f, 0.34f, 0.6f, 0.8f}, {1.02f, 0.28f, 0.6f, 0.6f}}),
                     7, kMountainSeed);
  paintRock(picture, mountains,
            {{0.66f, 0.72f, 0.86f, 1}, {0.32f, 0.38f, 0.56f, 1}, {0.97f, 0.98f, 1.0f, 1}, 0.95f, 70,
             kHaze, 0.35f, 45, 1.0f, 0.4f, kMountainSeed});

  std::vector<float> forestEdge = rollingBase(0.54f, 10, 120, kForestSeed);
  std::vector<spire> trees;
  prng random(kTreeSeed);
  for (float x = 0; x < kWidth; x += random.range(kTreeSpacingMin, kTreeSpacingMax)) {
    float slope = random.range(2.2f, 3.2f);
    trees.push_back({x, forestEdge[int(x)] - random.range(kTreeHeightMin, kTreeHeightMax), slope, slope});
  }
  cragLine forest(kLandscapeWidth, forestEdge, trees, 1, kForestSeed);
  paintRock(picture, forest,
            {{0.36f, 0.56f, 0.42f, 1}, {0.08f, 0.22f, 0.20f, 1}, {0.48f, 0.60f, 0.30f, 1}, 0.2f, 1000,
             kHaze, 0.3f, 10, 0.3f, 0, kForestSeed});

  cragLine meadow(kLandscapeWidth, rollingBase(0.63f, 12, 260, kMeadowSeed), {}, 2, kMeadowSeed);
  paintRock(picture, meadow,
            {{0.60f, 0.74f, 0.32f, 1}, {0.24f, 0.42f, 0.16f, 1}, {0.74f, 0.80f, 0.36f, 1}, 0.4f, 1000,
             kHaze, 0.15f, 30, 0.3f, 0, kMeadowSeed});
  return picture;
}

canvas paintBackCrags() {
  canvas picture(kLandscapeWidth, kLandscapeHeight, kClear);
  std::vector<float> base = rollingBase(0.60f, 10, 200, kBackCragSeed);
  // A lower saddle in the middle lets the snowy peaks show through.
  for (int x = 0; x < kLandscapeWidth; ++x) base[x] += 0.05f * kHeight * smoothstep(0.3f, 0.5f, x / kWidth) * smoothstep(0.8f, 0.6f, x / kWidth);
  cragLine crags(kLandscapeWidth, base,
                 placeSpires({{0.05f, 0.36f, 1.1f, 0.8f}, {0.16f, 0.30f, 1.4f, 1.0f}, {0.27f, 0.40f, 0.9f, 1.3f},
                              {0.38f, 0.48f, 1.0f, 0.9f}, {0.79f, 0.42f, 1.2f, 0.9f}, {0.90f, 0.32f, 1.5f, 1.0f},
                              {0.985f, 0.38f, 1.0f, 1.0f}}),
                 8, kBackCragSeed);
  paintRock(picture, crags,
            {{0.86f, 0.76f, 0.68f, 1}, {0.38f, 0.34f, 0.42f, 1}, {0.56f, 0.64f, 0.44f, 1}, 0.35f, 1000,
             kHaze, 0.30f, 40, 1.0f, 0.6f, kBackCragSeed});
  return picture;
}

canvas paintFrontCrags() {
  canvas picture(kLandscapeWidth, kLandscapeHeight, kClear);
  // Cliffs high at both sides and a low ledge between them: a frame around the view.
  std::vector<float> base(kLandscapeWidth);
  for (int x = 0; x < kLandscapeWidth; ++x) {
    float u = (x + 0.5f) / kWidth;
    float opening = smoothstep(0.16f, 0.36f, u) * smoothstep(0.86f, 0.66f, u);
    base[x] = kHeight * lerp(0.45f, 0.86f, opening) + 10 * fractalNoise(u * 9, 2.5f, 3, kFrontCragSeed + 2);
  }
  cragLine crags(kLandscapeWidth, base,
                 placeSpires({{0.05f, 0.22f, 1.2f, 1.9f}, {0.13f, 0.09f, 2.4f, 1.8f}, {0.21f, 0.30f, 2.5f, 1.6f},
                              {0.30f, 0.60f, 2.0f, 1.4f}, {0.46f, 0.80f, 1.2f, 1.9f}, {0.70f, 0.62f, 1.4f, 2.2f},
                              {0.79f, 0.24f, 1.8f, 2.6f}, {0.87f, 0.11f, 2.6f, 2.0f}, {0.95f, 0.28f, 1.7f, 1.2f}}),
                 12, kFrontCragSeed);
  paintRock(picture, crags,
            {{0.38f, 0.30f, 0.23f, 1}, {0.13f, 0.10f, 0.09f, 1}, {0.24f, 0.30f, 0.12f, 1}, 0.5f, 400,
             kClear, 0, 70, 1.1f, 1.0f, kFrontCragSeed});
  return shrunkAboutCentre(picture, kFrontCragSwell);
}
