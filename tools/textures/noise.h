#pragma once
// Gradient noise for the painters. Everything follows from the seed; a
// non-zero period in x makes the noise repeat every `periodX` lattice cells,
// so a picture built on it tiles from its right edge to its left.

#include <cstdint>

// Scrambles the bits of a 32-bit value: nearby inputs give unrelated outputs.
uint32_t mixBits(uint32_t h);

// A hash of one lattice point under a seed.
uint32_t latticeHash(int x, int y, uint32_t seed);

// One octave, about -1..1, smooth, one feature per lattice cell.
float gradientNoise(float x, float y, uint32_t seed, int periodX = 0);

// Octaves at doubling frequency and halving weight, about -1..1. The period,
// if any, is that of the first octave and doubles with each.
float fractalNoise(float x, float y, int octaves, uint32_t seed, int periodX = 0);
