#include "canvas.h"

#include <gd.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kGdTransparent = 127;
constexpr int kPngCompression = 9;

int toByte(float channel) { return int(std::lround(clamp01(channel) * 255)); }

}  // namespace

std::string encodePng(const canvas& picture) {
  gdImagePtr image = gdImageCreateTrueColor(picture.width, picture.height);
  if (!image) return "";
  // Store the alpha as given instead of blending into the black the image starts with.
  gdImageAlphaBlending(image, 0);
  gdImageSaveAlpha(image, 1);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const colour& c = picture.at(x, y);
      int gdAlpha = kGdTransparent - int(std::lround(clamp01(c.a) * kGdTransparent));
      // Colour under a fully transparent texel never shows; zero compresses best.
      int pixel = gdAlpha == kGdTransparent ? gdTrueColorAlpha(0, 0, 0, kGdTransparent)
                                            : gdTrueColorAlpha(toByte(c.r), toByte(c.g), toByte(c.b), gdAlpha);
      gdImageSetPixel(image, x, y, pixel);
    }
  }
  int size = 0;
  void* bytes = gdImagePngPtrEx(image, &size, kPngCompression);
  gdImageDestroy(image);
  if (!bytes) return "";
  std::string png(static_cast<const char*>(bytes), size_t(size));
  gdFree(bytes);
  return png;
}

long writeBytes(const std::string& bytes, const std::string& path) {
  if (bytes.empty()) return -1;
  FILE* file = fopen(path.c_str(), "wb");
  bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file && fclose(file) != 0) written = false;
  return written ? long(bytes.size()) : -1;
}

long writePng(const canvas& picture, const std::string& path) { return writeBytes(encodePng(picture), path); }
