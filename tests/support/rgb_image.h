#pragma once
// Pictures as the tests compare them: 8-bit RGB, top row first, read from
// a PNG file or from an X server's screen or window (window_reader.h).

#include <string>
#include <vector>

class rgbImage {
 public:
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // top row first

  const unsigned char* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// A PNG file's pixels; empty if it cannot be read.
rgbImage readPngImage(const std::string& path);

// The part of `image` from (x, y), top row first.
rgbImage cropImage(const rgbImage& image, int x, int y, int width, int height);

// The image shrunk to `width` x `height` by averaging blocks of pixels: the
// coarse picture, which a small movement in it hardly changes.
rgbImage blockAverage(const rgbImage& image, int width, int height);

// Peak signal-to-noise ratio of two images of the same size, in dB; 99
// for identical images, 0 for images of different sizes.
double psnr(const rgbImage& a, const rgbImage& b);
