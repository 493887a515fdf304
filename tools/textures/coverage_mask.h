#pragma once
// Shapes drawn on a grid finer than the picture, so that their edges come out
// as partial coverage instead of stairs. The grid wraps in x: a shape that
// runs off the right edge carries on at the left, which makes a band tile.

#include <cstdint>
#include <vector>

struct point {
  float x, y;
};

class coverageMask {
 public:
  int width, height;  // in picture pixels
  int factor;         // samples per pixel along each axis
  std::vector<uint8_t> samples;

  coverageMask(int width, int height, int factor);

  // Coordinates are in picture pixels; `solid` false cuts the shape out.
  void fillRect(float x0, float y0, float x1, float y1, bool solid = true);
  void fillEllipse(float cx, float cy, float rx, float ry, bool solid = true);
  // Any simple polygon, filled by the even-odd rule.
  void fillPolygon(const std::vector<point>& corners, bool solid = true);
  // Everything below top[x] in each pixel column, the edge followed sample by sample.
  void fillBelow(const std::vector<float>& top);

  // Share of the pixel's samples that are solid, 0..1.
  float coverage(int x, int y) const;

 private:
  void fillSpan(int row, float x0, float x1, bool solid);
};
