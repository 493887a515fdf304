#include "coverage_mask.h"

#include <algorithm>
#include <cmath>

coverageMask::coverageMask(int width, int height, int factor)
    : width(width), height(height), factor(factor), samples(size_t(width) * factor * height * factor, 0) {}

// Fills the samples of one row whose centres lie in [x0, x1), wrapping in x.
void coverageMask::fillSpan(int row, float x0, float x1, bool solid) {
  if (row < 0 || row >= height * factor || x1 <= x0) return;
  int columns = width * factor;
  int first = int(std::ceil(x0 * factor - 0.5f));
  int last = int(std::ceil(x1 * factor - 0.5f));
  last = std::min(last, first + columns);
  uint8_t* line = &samples[size_t(row) * columns];
  for (int s = first; s < last; ++s) line[((s % columns) + columns) % columns] = solid;
}

void coverageMask::fillRect(float x0, float y0, float x1, float y1, bool solid) {
  int firstRow = std::max(0, int(std::ceil(y0 * factor - 0.5f)));
  int lastRow = std::min(height * factor, int(std::ceil(y1 * factor - 0.5f)));
  for (int row = firstRow; row < lastRow; ++row) fillSpan(row, x0, x1, solid);
}

void coverageMask::fillEllipse(float cx, float cy, float rx, float ry, bool solid) {
  int firstRow = std::max(0, int(std::ceil((cy - ry) * factor - 0.5f)));
  int lastRow = std::min(height * factor, int(std::ceil((cy + ry) * factor - 0.5f)));
  for (int row = firstRow; row < lastRow; ++row) {
    float dy = ((row + 0.5f) / factor - cy) / ry;
    if (dy * dy >= 1) continue;
    float half = rx * std::sqrt(1 - dy * dy);
    fillSpan(row, cx - half, cx + half, solid);
  }
}

void coverageMask::fillPolygon(const std::vector<point>& corners, bool solid) {
  float top = corners[0].y, bottom = corners[0].y;
  for (const point& p : corners) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  int firstRow = std::max(0, int(std::ceil(top * factor - 0.5f)));
  int lastRow = std::min(height * factor, int(std::ceil(bottom * factor - 0.5f)));
  std::vector<float> crossings;
  for (int row = firstRow; row < lastRow; ++row) {
    float y = (row + 0.5f) / factor;
    crossings.clear();
    for (size_t i = 0; i < corners.size(); ++i) {
      const point& a = corners[i];
      const point& b = corners[(i + 1) % corners.size()];
      if ((a.y <= y) != (b.y <= y)) crossings.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) fillSpan(row, crossings[i], crossings[i + 1], solid);
  }
}

void coverageMask::fillBelow(const std::vector<float>& top) {
  int columns = width * factor;
  for (int s = 0; s < columns; ++s) {
    // The edge between pixel centres is interpolated, wrapping at the ends.
    float x = (s + 0.5f) / factor - 0.5f;
    int left = int(std::floor(x));
    float t = x - left;
    float edge = top[(left + width) % width] * (1 - t) + top[(left + 1) % width] * t;
    int firstRow = std::max(0, int(std::ceil(edge * factor - 0.5f)));
    for (int row = firstRow; row < height * factor; ++row) samples[size_t(row) * columns + s] = 1;
  }
}

float coverageMask::coverage(int x, int y) const {
  int columns = width * factor;
  int count = 0;
  for (int sy = 0; sy < factor; ++sy) {
    const uint8_t* line = &samples[size_t(y * factor + sy) * columns + size_t(x) * factor];
    for (int sx = 0; sx < factor; ++sx) count += line[sx];
  }
  return float(count) / float(factor * factor);
}
