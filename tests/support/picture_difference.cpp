#include "support/picture_difference.h"

#include <gd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

bool readRgbPng(const std::string& path, rgbPicture* picture) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return false;
  gdImagePtr image = gdImageCreateFromPng(file);
  fclose(file);
  if (!image) return false;
  picture->width = gdImageSX(image);
  picture->height = gdImageSY(image);
  picture->rgb.clear();
  for (int y = 0; y < picture->height; ++y)
    for (int x = 0; x < picture->width; ++x) {
      int pixel = gdImageGetTrueColorPixel(image, x, y);
      picture->rgb.push_back((unsigned char)gdTrueColorGetRed(pixel));
      picture->rgb.push_back((unsigned char)gdTrueColorGetGreen(pixel));
      picture->rgb.push_back((unsigned char)gdTrueColorGetBlue(pixel));
    }
  gdImageDestroy(image);
  return true;
}

pictureDifference comparePictures(const rgbPicture& a, const rgbPicture& b, int tolerance) {
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
