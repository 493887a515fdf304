#include "support/picture_difference.h"

#include <algorithm>
#include <cstdlib>

pictureDifference comparePictures(const rgbImage& a, const rgbImage& b, int tolerance) {
  pictureDifference d;
  d.map.width = a.width;
  d.map.height = a.height;
  if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) {
    d.largest = 255;
    d.pixelsOver = std::max(a.width * a.height, b.width * b.height);
    return d;
  }
  d.map.rgb.resize(a.rgb.size());
  for (size_t i = 0; i < a.rgb.size(); i += 3) {
    int worst = 0;
    for (size_t c = i; c < i + 3; ++c) {
      int channel = std::abs(a.rgb[c] - b.rgb[c]);
      worst = std::max(worst, channel);
      d.map.rgb[c] = (unsigned char)std::min(255, channel * 4);
    }
    d.largest = std::max(d.largest, worst);
    d.pixelsOver += worst > tolerance;
  }
  return d;
}
