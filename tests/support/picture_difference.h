#pragma once
// How far two RGB pictures differ, for tests that hold what the show draws
// against pictures recorded before.

#include "support/rgb_image.h"

class pictureDifference {
 public:
  int largest = 0;     // the largest difference in any one channel
  int pixelsOver = 0;  // pixels with a channel that differs by more than the tolerance
  rgbImage map;        // each channel's difference, four times brighter, to look at
};

// Compares two pictures of the same size channel by channel; pictures of
// different sizes count every pixel as over.
pictureDifference comparePictures(const rgbImage& a, const rgbImage& b, int tolerance);
