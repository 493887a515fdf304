#pragma once
// The synthesizer's only source of randomness: a fixed-seed xorshift generator,
// so that every run writes the same samples.

#include <cstdint>

class noiseSource {
 public:
  uint64_t state;

  explicit noiseSource(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
    if (state == 0) state = 1;
  }

  uint32_t nextBits() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return uint32_t((state * 0x2545F4914F6CDD1Dull) >> 32);
  }

  // Uniform in [0, 1).
  double uniform() { return nextBits() * (1.0 / 4294967296.0); }

  // White noise in [-1, 1).
  double white() { return 2.0 * uniform() - 1.0; }
};
