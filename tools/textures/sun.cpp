#include "sun.h"

#include <cmath>

#include "noise.h"

namespace {

// Lengths are in pixels of the 1024-pixel picture. In the opening scene only
// radii from about 256 to 455 show (the margin around the other layers); in
// the last scene radii up to about 363 show, disc included.
constexpr float kDiscRadius = 104;
// The glow is solid close to the disc and fades quickly: a wide thin glow
// would turn mint green over the cyan ground.
constexpr float kGlowSolid = 1.25f * kDiscRadius, kGlowRadius = 1.65f * kDiscRadius;
constexpr int kRays = 24;  // long and short in turn
constexpr float kLongRayLength = 506;  // short of the edge: the corners stay clear
constexpr float kShortRayLength = 372;
constexpr float kLongRayHalfAngle = 0.088f;  // radians; a slot is 0.262 wide
constexpr float kShortRayHalfAngle = 0.055f;
constexpr float kRayRoot = 0.8f * kDiscRadius;
// The rays bend a little with distance, so that they read as turning.
constexpr float kSwirl = 0.30f;
constexpr int kFlames = 60;  // short spikes of the corona, between the rays
constexpr float kFlameRoot = 0.9f * kDiscRadius, kFlameLength = 1.2f * kDiscRadius;  // inside the solid glow
constexpr float kFlameHalfWidth = 0.088f * kDiscRadius;  // at the root
constexpr float kOutlineWidth = 3.0f;
// The sun turns, so whatever changes along a circle around its centre passes
// every point of the screen it covers. Within a ray, a flame or the disc's
// grain the tone changes by less than a tenth of white's luminance, and the
// rays have no dark rim: each ray passes a point as one change, not three.
constexpr float kRayRidge = 0.06f, kRayStreaks = 0.02f;
constexpr float kFlameStrength = 0.35f;  // the flames' colour over the glow's
constexpr float kGranulation = 0.03f;

constexpr colour kRayInner = {1.0f, 0.86f, 0.32f, 1};
constexpr colour kRayOuter = {0.96f, 0.42f, 0.06f, 1};
constexpr colour kGlowInner = {1.0f, 0.93f, 0.58f, 1};
constexpr colour kGlowOuter = {1.0f, 0.72f, 0.26f, 1};
constexpr colour kFlame = {1.0f, 0.74f, 0.22f, 1};
constexpr colour kDiscCentre = {1.0f, 0.97f, 0.66f, 1};
constexpr colour kDiscLimb = {1.0f, 0.56f, 0.07f, 1};
constexpr colour kDiscOutline = {0.88f, 0.34f, 0.05f, 1};

constexpr uint32_t kRayEdgeSeed = 11, kRayStreakSeed = 12, kFlameSeed = 13, kGranuleSeed = 14;

float swirlAt(float r) { return kSwirl * std::pow(r / (kSunSize * 0.5f), 1.3f); }

// The ray through this point, if any, painted with its own edge coverage.
colour rayAt(float r, float theta) {
  constexpr float slot = 2 * kPi / kRays;
  float turned = theta - swirlAt(r);
  float position = turned / slot;
  float nearest = std::round(position);
  int index = ((int(nearest) % kRays) + kRays) % kRays;
  bool isLong = index % 2 == 0;
  float length = isLong ? kLongRayLength : kShortRayLength;
  float u = (r - kRayRoot) / (length - kRayRoot);
  if (u <= 0 || u >= 1) return kClear;
  // Wedges widen with the radius and close to a point near the tip; the edge wavers.
  float halfAngle = (isLong ? kLongRayHalfAngle : kShortRayHalfAngle) * (1 - std::pow(u, 2.5f)) *
                    (1 + 0.10f * gradientNoise(r / 45, float(index) * 7.3f, kRayEdgeSeed));
  float halfWidth = halfAngle * r;
  float distance = std::fabs(position - nearest) * slot * r;
  float inside = halfWidth - distance;
  float cover = clamp01(inside + 0.5f);
  if (cover <= 0) return kClear;
  float across = distance / halfWidth;
  colour c = mix(kRayInner, kRayOuter, smoothstep(0, 1, u));
  // A ridge down the middle and fine streaks along the ray.
  float streak = 1 + kRayStreaks * fractalNoise(turned * 70, r / 60, 3, kRayStreakSeed);
  c = shade(c, (1 + kRayRidge / 2 - kRayRidge * across * across) * streak);
  return withAlpha(c, cover * (1 - 0.25f * smoothstep(0.8f, 1, u)));
}

colour glowAt(float r) {
  colour c = mix(kGlowInner, kGlowOuter, smoothstep(kDiscRadius, kGlowRadius, r));
  return withAlpha(c, 1 - smoothstep(kGlowSolid, kGlowRadius, r));
}

colour flameAt(float r, float theta) {
  constexpr float slot = 2 * kPi / kFlames;
  float position = theta / slot + 0.5f;
  float nearest = std::round(position);
  int index = ((int(nearest) % kFlames) + kFlames) % kFlames;
  float length = kFlameLength * (0.9f + 0.2f * (0.5f + 0.5f * gradientNoise(float(index) * 0.61f, 0, kFlameSeed)));
  float u = (r - kFlameRoot) / (length - kFlameRoot);
  if (u <= 0 || u >= 1) return kClear;
  float halfWidth = kFlameHalfWidth * (1 - u);
  float inside = halfWidth - std::fabs(position - nearest) * slot * r;
  return withAlpha(mix(glowAt(r), kFlame, kFlameStrength), clamp01(inside + 0.5f) * (1 - u * 0.5f));
}

colour discAt(float r, float x, float y) {
  float inside = kDiscRadius - r;
  float cover = clamp01(inside + 0.5f);
  if (cover <= 0) return kClear;
  float rim = r / kDiscRadius;
  float limb = std::sqrt(std::max(0.0f, 1 - rim * rim));
  colour c = mix(kDiscLimb, kDiscCentre, std::pow(limb, 0.8f));
  // A slowly warped granulation keeps the disc from looking flat.
  float warp = fractalNoise(x / 60, y / 60, 2, kGranuleSeed + 1);
  c = shade(c, 1 + kGranulation * fractalNoise(x / 18 + warp, y / 18 - warp, 3, kGranuleSeed));
  c = mix(c, kDiscOutline, smoothstep(kOutlineWidth + 0.5f, 0.5f, inside) * 0.9f);
  return withAlpha(c, cover);
}

}  // namespace

canvas paintSun() {
  canvas sun(kSunSize, kSunSize, kClear);
  constexpr float centre = kSunSize * 0.5f;
  for (int y = 0; y < kSunSize; ++y) {
    for (int x = 0; x < kSunSize; ++x) {
      float dx = x + 0.5f - centre, dy = y + 0.5f - centre;
      float r = std::hypot(dx, dy);
      float theta = std::atan2(dy, dx);
      colour c = glowAt(r);
      c = over(c, flameAt(r, theta));
      c = over(c, rayAt(r, theta));
      c = over(c, discAt(r, dx, dy));
      sun.at(x, y) = c;
    }
  }
  return sun;
}
