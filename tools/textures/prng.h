#pragma once
// A fixed-seed generator (splitmix64): every run draws the same numbers, so
// the tool writes the same bytes each time.

#include <cstdint>

class prng {
 public:
  uint64_t state;

  explicit prng(uint64_t seed) : state(seed) {}

  uint32_t next() {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
  }

  // In [0, 1).
  float uniform() { return float(next() >> 8) / 16777216.0f; }
  float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
  // In [0, n).
  int below(int n) { return int(next() % uint32_t(n)); }
  bool chance(float p) { return uniform() < p; }
};
