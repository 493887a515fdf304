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
  gdImagePtr image = gdImageCreateTrueColor(kWindowWidth, kWindowHeight);
  for (int y = 0; y < kWindowHeight; ++y) {
    // GL's first row is the bottom one.
    const unsigned char* row = rgba.data() + size_t(kWindowHeight - 1 - y) * kWindowWidth * 4;
    for (int x = 0; x < kWindowWidth; ++x)
      gdImageSetPixel(image, x, y, gdTrueColor(row[x * 4], row[x * 4 + 1], row[x * 4 + 2]));
  }
  FILE* file = fopen(path.c_str(), "wb");
  if (file) {
    gdImagePng(image, file);
    fclose(file);
  }
  gdImageDestroy(image);
  return file != nullptr;
}
