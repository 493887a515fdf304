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

// Adds `c`, weighted by its alpha, to a running sum: averaging so, clear
// pixels add no colour to an edge.
inline colour addWeighted(colour sum, colour c) {
  return {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
}

// The straight-alpha mean of `count` pixels summed by addWeighted.
inline colour weightedMean(colour sum, float count) {
  if (sum.a <= 0) return kClear;
  return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / count};
}

// Paints `top` over `bottom`, both with straight alpha.
inline colour over(colour bottom, colour top) {
  float a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) return kClear;
  float keep = bottom.a * (1 - top.a);
  return {(top.r * top.a + bottom.r * keep) / a, (top.g * top.a + bottom.g * keep) / a,
          (top.b * top.a + bottom.b * keep) / a, a};
}
