#include "cells.h"

#include <cmath>

namespace {

uint32_t mixBits(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

uint32_t hashCell(int x, int y, uint32_t seed) {
  return mixBits(seed * 0x9E3779B9u ^ uint32_t(x) * 0x85EBCA6Bu ^ uint32_t(y) * 0xC2B2AE35u);
}

float unit(uint32_t h) { return float(h >> 8) / 16777216.0f; }

}  // namespace

cellHit cellNoise(float x, float y, uint32_t seed) {
  int cx = int(std::floor(x)), cy = int(std::floor(y));
  cellHit hit = {1e9f, 1e9f, 0};
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      uint32_t h = hashCell(cx + i, cy + j, seed);
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
