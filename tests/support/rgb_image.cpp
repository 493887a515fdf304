#include "support/rgb_image.h"

#include <gd.h>

#include <cmath>

#include "support/temp_dir.h"

rgbImage readPngImage(const std::string& path) {
  rgbImage image;
  std::string bytes = readFile(path);
  gdImagePtr png = bytes.empty() ? nullptr : gdImageCreateFromPngPtr(int(bytes.size()), bytes.data());
  if (!png) return image;
  image.width = gdImageSX(png);
  image.height = gdImageSY(png);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      int value = gdImageGetTrueColorPixel(png, x, y);
      image.rgb.insert(image.rgb.end(), {(unsigned char)gdTrueColorGetRed(value),
                                         (unsigned char)gdTrueColorGetGreen(value),
                                         (unsigned char)gdTrueColorGetBlue(value)});
    }
  gdImageDestroy(png);
  return image;
}

rgbImage cropImage(const rgbImage& image, int x, int y, int width, int height) {
  rgbImage part;
  part.width = width;
  part.height = height;
  for (int row = y; row < y + height; ++row) {
    const unsigned char* from = image.at(x, row);
    part.rgb.insert(part.rgb.end(), from, from + size_t(width) * 3);
  }
  return part;
}

rgbImage blockAverage(const rgbImage& image, int width, int height) {
  rgbImage small;
  small.width = width;
  small.height = height;
  for (int by = 0; by < height; ++by)
    for (int bx = 0; bx < width; ++bx) {
      int x0 = bx * image.width / width, x1 = (bx + 1) * image.width / width;
      int y0 = by * image.height / height, y1 = (by + 1) * image.height / height;
      double sum[3] = {0, 0, 0};
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
          for (int c = 0; c < 3; ++c) sum[c] += image.at(x, y)[c];
      double count = double(x1 - x0) * (y1 - y0);
      for (int c = 0; c < 3; ++c) small.rgb.push_back((unsigned char)std::lround(sum[c] / count));
    }
  return small;
}

double psnr(const rgbImage& a, const rgbImage& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.empty()) return 0;
  double squares = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) {
    double d = double(a.rgb[i]) - double(b.rgb[i]);
    squares += d * d;
  }
  if (squares == 0) return 99;
  return 10 * std::log10(255.0 * 255.0 / (squares / double(a.rgb.size())));
}
