#pragma once
// RGB pictures read from PNG files, and how far two of them differ, for
// tests that hold what the show draws against pictures recorded before.

#include <string>
#include <vector>

class rgbPicture {
 public:
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // top row first
};

// Reads a PNG's colours; false if it cannot be read.
bool readRgbPng(const std::string& path, rgbPicture* picture);

class pictureDifference {
 public:
  int largest = 0;     // the largest difference in any one channel
  int pixelsOver = 0;  // pixels with a channel that differs by more than the tolerance
  rgbPicture map;      // each channel's difference, four times brighter, to look at
};

// Compares two pictures of the same size channel by channel; pictures of
// different sizes count every pixel as over.
pictureDifference comparePictures(const rgbPicture& a, const rgbPicture& b, int tolerance);
