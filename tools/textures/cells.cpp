#include "cells.h"

#include "noise.h"

#include <cmath>

namespace {

float unit(uint32_t h) { return float(h >> 8) / 16777216.0f; }

}  // namespace

cellHit cellNoise(float x, float y, uint32_t seed) {
  int cx = int(std::floor(x)), cy = int(std::floor(y));
  cellHit hit = {1e9f, 1e9f, 0};
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      uint32_t h = latticeHash(cx + i, cy + j, seed);
      float px = float(cx + i) + unit(h), py = float(cy + j) + unit(mixBits(h));
      float d = std::hypot(x - px, y - py);
      if (d < hit.nearest) {
        hit.second = hit.nearest;
        hit.nearest = d;
        hit.id = h;
      } else if (d < hit.second) {
        hit.second = d;
      }
    }
  }
  return hit;
}

float cellValue(uint32_t id, uint32_t salt) { return unit(mixBits(id ^ (salt * 0x9E3779B9u))); }
