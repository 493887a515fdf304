#include "screen_cells.h"

#include <array>
#include <cmath>

namespace {

// sRGB's transfer curve undone, for each byte value.
const std::array<float, 256>& linearLight() {
  static const std::array<float, 256> table = [] {
    std::array<float, 256> values{};
    for (int i = 0; i < 256; ++i) {
      double c = i / 255.0;
      values[i] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return values;
  }();
  return table;
}

constexpr float kRedScale = 320;
constexpr float kSaturatedRedShare = 0.8f;

}  // namespace

screenCells cellsOfScreen(const unsigned char* rgb) {
  const std::array<float, 256>& linear = linearLight();
  size_t count = size_t(kCellColumns) * kCellRows;
  screenCells cells{std::vector<float>(count), std::vector<float>(count), std::vector<bool>(count)};
  for (int row = 0; row < kCellRows; ++row)
    for (int column = 0; column < kCellColumns; ++column) {
      // The cell's light is the mean of its pixels' linear light.
      float r = 0, g = 0, b = 0;
      for (int y = row * kCellSide; y < (row + 1) * kCellSide; ++y) {
        const unsigned char* pixel = rgb + (size_t(y) * kScreenWidth + column * kCellSide) * 3;
        for (int x = 0; x < kCellSide; ++x, pixel += 3) {
          r += linear[pixel[0]];
          g += linear[pixel[1]];
          b += linear[pixel[2]];
        }
      }
      float pixels = kCellSide * kCellSide;
      r /= pixels;
      g /= pixels;
      b /= pixels;
      size_t i = size_t(row) * kCellColumns + column;
      cells.luminance[i] = 0.2126f * r + 0.7152f * g + 0.0722f * b;
      cells.red[i] = std::max(0.0f, (r - g - b) * kRedScale);
      cells.saturatedRed[i] = r + g + b > 0 && r >= kSaturatedRedShare * (r + g + b);
    }
  return cells;
}
