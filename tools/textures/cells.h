#pragma once
// Cellular noise: the plane cut into irregular cells around jittered points,
// one point per lattice square. Rock painters give each cell a face of its own.

#include <cstdint>

struct cellHit {
  float nearest;  // distance to the nearest point, in lattice units
  float second;   // distance to the second nearest: the cell edge is where they meet
  uint32_t id;    // a hash of the nearest point, the same everywhere in its cell
};

cellHit cellNoise(float x, float y, uint32_t seed);

// A number in [0, 1) drawn from a cell's id; `salt` picks one of several.
float cellValue(uint32_t id, uint32_t salt);
