#pragma once
// Rock for the opening scene's layers: a skyline of crags and the shaded,
// cracked stone below it, transparent above.

#include <cstdint>
#include <vector>

#include "canvas.h"

// One spire of a crag line: its top and how steeply it falls on each side.
struct spire {
  float x, top;
  float leftSlope, rightSlope;  // pixels down per pixel across
};

class cragLine {
 public:
  int width;
  std::vector<float> tops;  // the rock's top edge, four samples per pixel column

  // The line follows `base` (a top row per column) wherever no spire rises
  // above it, with a ragged fractal edge of the given roughness in pixels.
  cragLine(int width, const std::vector<float>& base, const std::vector<spire>& spires, float roughness,
           uint32_t seed);

  // The top edge at any x, interpolated.
  float topAt(float x) const;
};

struct rockStyle {
  colour light, dark;  // faces turned to the light and away from it
  colour accent;       // moss or snow on the faces that look up
  float accentAmount;
  float accentReach;  // pixels below the top edge that the accent reaches
  colour haze;        // the air between the eye and the stone
  float hazeAmount;   // 0..1, how far the stone fades into it
  float featureSize;  // pixels across one large facet
  float relief;       // how much the facets turn from the flank they lie on
  float cracks;       // 0..1, how many of the facets' borders open into cracks
  uint32_t seed;
};

// Paints the stone below `line` over what the picture holds: flanks lit or
// shadowed as the top edge above them rises or falls, broken into cracked
// facets, with a sunlit rim along the antialiased edge and shadow deepening
// downwards.
void paintRock(canvas& picture, const cragLine& line, const rockStyle& style);
