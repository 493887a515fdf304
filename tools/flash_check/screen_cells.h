#pragma once
// A frame as a viewer's eye takes it for the flash tests: the frame fitted
// to a 1024 x 768 screen, the screen seen from a normal distance, and each
// 4 x 4 block of its pixels one cell, with the cell's relative luminance
// and its red, as the photosensitivity guidelines measure them.

#include <vector>

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kCellSide = 4;
constexpr int kCellColumns = kScreenWidth / kCellSide;
constexpr int kCellRows = kScreenHeight / kCellSide;

struct screenCells {
  // Relative luminance, 0 (black) to 1 (white), of sRGB's linear light.
  std::vector<float> luminance;
  // The red that red flashes are measured by: (R - G - B) x 320 of the
  // linear light, 0 where it would be negative.
  std::vector<float> red;
  // Whether the cell is saturated red: R / (R + G + B) at least 0.8.
  std::vector<bool> saturatedRed;
};

// The cells of a 1024 x 768 screen of sRGB bytes, three a pixel, rows from the top.
screenCells cellsOfScreen(const unsigned char* rgb);
