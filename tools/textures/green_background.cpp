#include "green_background.h"

#include <cmath>

#include "noise.h"

namespace {

constexpr colour kDeepGreen = {0.17f, 0.47f, 0.17f, 1};
constexpr colour kLeafGreen = {0.33f, 0.64f, 0.22f, 1};
constexpr colour kSeaGreen = {0.14f, 0.52f, 0.33f, 1};
// The burst's centre: about where the small words stand.
constexpr float kBurstX = 0.40f * kGreenWidth, kBurstY = 0.48f * kGreenHeight;
constexpr int kBurstRays = 18;
constexpr float kBurstStrength = 0.06f;
constexpr float kBurstTwist = 0.0009f;  // radians per pixel from the centre
// Halftone dots on a 45-degree grid, growing towards the corners.
constexpr float kDotSpacing = 11;
constexpr float kDotRadiusCentre = 0.6f, kDotRadiusCorner = 3.6f;
constexpr float kDotDarkness = 0.16f;
constexpr float kVignette = 0.2f;

constexpr uint32_t kMottleSeed = 201, kHueSeed = 202, kSeaSeed = 203;

}  // namespace

canvas paintGreenBackground() {
  canvas picture(kGreenWidth, kGreenHeight, kDeepGreen);
  float cornerDistance = std::hypot(float(kGreenWidth), float(kGreenHeight)) * 0.5f;
  for (int y = 0; y < kGreenHeight; ++y) {
    for (int x = 0; x < kGreenWidth; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      // Cloudy mottling between three greens.
      float mottle = 0.5f + 0.5f * fractalNoise(px / 170, py / 170, 5, kMottleSeed);
      colour c = mix(kDeepGreen, kLeafGreen, smoothstep(0.15f, 0.85f, mottle));
      c = mix(c, kSeaGreen, 0.6f * smoothstep(0.1f, 0.6f, fractalNoise(px / 300, py / 300, 3, kSeaSeed)));
      c = shade(c, 1 + 0.06f * fractalNoise(px / 40, py / 40, 3, kHueSeed));

      // Alternate wedges a shade lighter and darker, edges antialiased.
      float dx = px - kBurstX, dy = py - kBurstY;
      float r = std::hypot(dx, dy);
      float wave = std::sin((std::atan2(dy, dx) + kBurstTwist * r) * kBurstRays / 2);
      float edgeWidth = std::max(1.0f, r) * kPi / kBurstRays;
      c = shade(c, 1 + kBurstStrength * std::max(-1.0f, std::min(1.0f, wave * edgeWidth / 1.5f)) *
                           smoothstep(20, 120, r));

      // Distance to the nearest dot centre on the turned grid.
      float gu = (px + py) / (kDotSpacing * std::sqrt(2.0f)), gv = (px - py) / (kDotSpacing * std::sqrt(2.0f));
      float fu = gu - std::round(gu), fv = gv - std::round(gv);
      float toDot = std::hypot(fu, fv) * kDotSpacing;
      float away = r / cornerDistance;
      float radius = lerp(kDotRadiusCentre, kDotRadiusCorner, away * away);
      c = shade(c, 1 - kDotDarkness * clamp01(radius - toDot + 0.5f));

      c = shade(c, 1 - kVignette * smoothstep(0.5f, 1.1f, away));
      picture.at(x, y) = c;
    }
  }
  return picture;
}
