#pragma once
// A straight-alpha RGBA colour, each channel 0..1, and the mixes the painters use.

#include "shaping.h"

struct colour {
  float r, g, b, a;
};

constexpr colour kClear = {0, 0, 0, 0};

inline colour mix(colour p, colour q, float t) {
  return {lerp(p.r, q.r, t), lerp(p.g, q.g, t), lerp(p.b, q.b, t), lerp(p.a, q.a, t)};
}

// Scales the colour channels, not the alpha.
inline colour shade(colour c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

inline colour withAlpha(colour c, float a) { return {c.r, c.g, c.b, a}; }

// Paints `top` over `bottom`, both with straight alpha.
inline colour over(colour bottom, colour top) {
  float a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) return kClear;
  float keep = bottom.a * (1 - top.a);
  return {(top.r * top.a + bottom.r * keep) / a, (top.g * top.a + bottom.g * keep) / a,
          (top.b * top.a + bottom.b * keep) / a, a};
}
