#include "noise.h"

#include <cmath>

namespace {

// Eight directions; the hash picks one per lattice point.
constexpr float kDiagonal = 0.70710678f;
constexpr float kGradients[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1},
                                    {kDiagonal, kDiagonal}, {-kDiagonal, kDiagonal},
                                    {kDiagonal, -kDiagonal}, {-kDiagonal, -kDiagonal}};
// Brings the largest values of one octave near +-1.
constexpr float kOctaveGain = 1.6f;
// Each octave gets a seed of its own so that the octaves do not line up.
constexpr uint32_t kOctaveSeedStep = 0x68E31DA4u;

int wrap(int i, int period) {
  if (period <= 0) return i;
  int m = i % period;
  return m < 0 ? m + period : m;
}

float quintic(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

uint32_t mixBits(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

uint32_t latticeHash(int x, int y, uint32_t seed) {
  return mixBits(seed * 0x9E3779B9u ^ uint32_t(x) * 0x85EBCA6Bu ^ uint32_t(y) * 0xC2B2AE35u);
}

float gradientNoise(float x, float y, uint32_t seed, int periodX) {
  float fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  float tx = x - fx, ty = y - fy;
  auto corner = [&](int cx, int cy) {
    const float* g = kGradients[latticeHash(wrap(ix + cx, periodX), iy + cy, seed) & 7];
    return g[0] * (tx - cx) + g[1] * (ty - cy);
  };
  float u = quintic(tx), v = quintic(ty);
  float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * u;
  float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * u;
  return (top + (bottom - top) * v) * kOctaveGain;
}

float fractalNoise(float x, float y, int octaves, uint32_t seed, int periodX) {
  float sum = 0, weight = 1, total = 0;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * gradientNoise(x, y, seed, periodX);
    total += weight;
    x *= 2;
    y *= 2;
    periodX *= 2;
    weight *= 0.5f;
    seed += kOctaveSeedStep;
  }
  return sum / total;
}
