#pragma once
// Clamps and ramps shared by the painters.

#include <algorithm>

inline float clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }

inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

// 0 below edge0, 1 above edge1, a smooth S in between; edge0 > edge1 runs it backwards.
inline float smoothstep(float edge0, float edge1, float x) {
  float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

constexpr float kPi = 3.14159265358979f;
