#include "frame_image.h"

#include <GL/glew.h>
#include <gd.h>

#include <cstdio>

std::vector<unsigned char> readFrame() {
  std::vector<unsigned char> rgba(size_t(kWindowWidth) * kWindowHeight * 4);
  glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

bool writeFramePng(const std::string& path, const std::vector<unsigned char>& rgba) {
  std::vector<unsigned char> rgb(size_t(kWindowWidth) * kWindowHeight * 3);
  for (int y = 0; y < kWindowHeight; ++y) {
    // GL's first row is the bottom one.
    const unsigned char* row = rgba.data() + size_t(kWindowHeight - 1 - y) * kWindowWidth * 4;
    for (int x = 0; x < kWindowWidth; ++x)
      for (int c = 0; c < 3; ++c) rgb[(size_t(y) * kWindowWidth + x) * 3 + c] = row[x * 4 + c];
  }
  return writeRgbPng(path, kWindowWidth, kWindowHeight, rgb);
}

bool writeRgbPng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb) {
  gdImagePtr image = gdImageCreateTrueColor(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
      gdImageSetPixel(image, x, y, gdTrueColor(p[0], p[1], p[2]));
    }
  FILE* file = fopen(path.c_str(), "wb");
  if (file) {
    gdImagePngEx(image, file, 9);
    fclose(file);
  }
  gdImageDestroy(image);
  return file != nullptr;
}
