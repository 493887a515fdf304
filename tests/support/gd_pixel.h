#pragma once
// One pixel as libgd gives it, alpha included, for tests that write or read
// PNG files through libgd.

#include <gd.h>

class gdPixel {
 public:
  int red, green, blue;
  int gdAlpha;  // 0 opaque to 127 transparent
};

// The pixel at (x, y), from a palette or a true-colour image alike.
inline gdPixel gdPixelAt(gdImagePtr image, int x, int y) {
  int value = gdImageGetPixel(image, x, y);
  return {gdImageRed(image, value), gdImageGreen(image, value), gdImageBlue(image, value),
          gdImageAlpha(image, value)};
}
