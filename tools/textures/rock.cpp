#include "rock.h"

#include <algorithm>
#include <cmath>

#include "cells.h"
#include "noise.h"

namespace {

constexpr int kSubsamples = 4;
// Light from the upper left and from in front (x right, y down, z towards the eye).
constexpr float kLight[3] = {-0.52f, -0.62f, 0.59f};
// The slope of the top edge is read this many pixels to each side, along a
// wandering line so that the ridges between flanks are not straight.
constexpr float kFlankReach = 22;
constexpr float kRidgeWander = 14;
// How far a flank turns to the side at the steepest edge.
constexpr float kFlankTurn = 0.9f;
// The stone tips up a little towards the sky.
constexpr float kTilt = 0.3f;
// Faces are taller than wide, as cliffs break, and their borders wander.
constexpr float kFacetStretch = 1.8f;
constexpr float kFacetWarp = 0.35f;
constexpr float kSmallFacets = 0.4f;  // their size against the large ones
constexpr float kCrackDarkness = 0.5f;
constexpr float kRimWidth = 3.0f;
constexpr float kRimStrength = 0.5f;
constexpr float kDeepShadow = 0.35f;  // how much darker the stone gets towards the bottom

float tentTop(const spire& s, float x) { return s.top + (x < s.x ? s.leftSlope : s.rightSlope) * std::fabs(x - s.x); }

}  // namespace

cragLine::cragLine(int width, const std::vector<float>& base, const std::vector<spire>& spires, float roughness,
                   uint32_t seed)
    : width(width), tops(size_t(width) * kSubsamples) {
  for (size_t i = 0; i < tops.size(); ++i) {
    float x = (float(i) + 0.5f) / kSubsamples;
    float between = std::min(float(width - 1), std::max(0.0f, x - 0.5f));
    int left = std::min(width - 2, int(between));
    float top = lerp(base[left], base[left + 1], between - float(left));
    // Each flank's slope wavers along it, so that spires are not straight-sided.
    for (size_t k = 0; k < spires.size(); ++k) {
      float waver = 1 + 0.3f * fractalNoise(x / 40, float(k) * 3.7f, 3, seed + 2);
      top = std::min(top, spires[k].top + (tentTop(spires[k], x) - spires[k].top) * waver);
    }
    // Broken ledges, then small jags.
    top += roughness * fractalNoise(x / 55, 0.5f, 4, seed) + 0.3f * roughness * fractalNoise(x / 7, 3.5f, 2, seed + 1);
    tops[i] = top;
  }
}

float cragLine::topAt(float x) const {
  float f = std::min(float(tops.size() - 1), std::max(0.0f, x * kSubsamples - 0.5f));
  size_t i = std::min(tops.size() - 2, size_t(f));
  return lerp(tops[i], tops[i + 1], f - float(i));
}

void paintRock(canvas& picture, const cragLine& line, const rockStyle& style) {
  float size = style.featureSize;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      float top = line.topAt(x + 0.5f);
      if (float(y + 1) < top - 2) continue;
      int inside = 0;
      for (int sx = 0; sx < kSubsamples; ++sx) {
        float edge = line.topAt(x + (sx + 0.5f) / kSubsamples);
        for (int sy = 0; sy < kSubsamples; ++sy) inside += y + (sy + 0.5f) / kSubsamples > edge;
      }
      if (inside == 0) continue;
      float cover = float(inside) / (kSubsamples * kSubsamples);
      float depth = y + 0.5f - top;

      // An edge falling to the right above this point means a face turned right, away from the light.
      float ridgeX = x + 0.5f + kRidgeWander * fractalNoise(y / 50.0f, x / 50.0f, 3, style.seed + 7);
      float slope = (line.topAt(ridgeX + kFlankReach) - line.topAt(ridgeX - kFlankReach)) / (2 * kFlankReach);
      float flank = std::max(-1.0f, std::min(1.0f, slope / 1.5f)) * smoothstep(picture.height * 0.4f, 0, depth);
      float wx = x + size * kFacetWarp * fractalNoise(x / (size * 0.8f), y / (size * 0.8f), 2, style.seed + 8);
      float wy = y + size * kFacetWarp * fractalNoise(x / (size * 0.8f), y / (size * 0.8f), 2, style.seed + 9);
      cellHit big = cellNoise(wx / size, wy / (size * kFacetStretch), style.seed);
      cellHit small = cellNoise(wx / (size * kSmallFacets), wy / (size * kSmallFacets * kFacetStretch), style.seed + 1);
      // Each face turns its own way, on top of a slow swell of the whole mass.
      float swellX = fractalNoise(x / (size * 1.2f), y / (size * 1.2f), 2, style.seed + 11);
      float swellY = fractalNoise(x / (size * 1.2f), y / (size * 1.2f), 2, style.seed + 12);
      float normal[3] = {flank * kFlankTurn + style.relief * ((cellValue(big.id, 1) - 0.5f) * 1.2f +
                                                              (cellValue(small.id, 1) - 0.5f) * 0.5f + 0.5f * swellX),
                         -kTilt + style.relief * ((cellValue(big.id, 2) - 0.5f) * 1.0f +
                                                  (cellValue(small.id, 2) - 0.5f) * 0.4f + 0.5f * swellY),
                         1};
      float length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
      for (float& n : normal) n /= length;
      float lit = clamp01(normal[0] * kLight[0] + normal[1] * kLight[1] + normal[2] * kLight[2]);
      colour c = mix(style.dark, style.light, lit);
      c = shade(c, 0.92f + 0.16f * cellValue(big.id, 3));

      // Some of the borders between large faces open into cracks.
      float open = style.cracks * smoothstep(-0.1f, 0.35f, fractalNoise(x / (size * 1.5f), y / (size * 1.5f), 2, style.seed + 10));
      c = shade(c, 1 - kCrackDarkness * open * smoothstep(2.0f, 0.5f, (big.second - big.nearest) * size));

      // Moss, or snow, gathers on the faces that look up.
      float reach = style.accentReach * (1 + 0.5f * fractalNoise(x / 40.0f, 0.5f, 3, style.seed + 6));
      float moss = style.accentAmount * smoothstep(0.1f, 0.45f, -normal[1]) *
                   smoothstep(-0.2f, 0.2f, fractalNoise(x / 30.0f, y / 30.0f, 3, style.seed + 5)) *
                   smoothstep(reach, reach * 0.7f, depth);
      c = mix(c, shade(style.accent, 0.7f + 0.4f * lit), moss);

      c = mix(c, shade(style.light, 1.15f), kRimStrength * smoothstep(kRimWidth + 1, 0, depth));
      c = shade(c, 1 - kDeepShadow * smoothstep(0, picture.height * 0.6f, depth));
      c = mix(c, style.haze, style.hazeAmount);
      picture.at(x, y) = over(picture.at(x, y), withAlpha(c, cover));
    }
  }
}
