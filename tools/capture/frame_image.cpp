#include "frame_image.h"

#include <GL/glew.h>
#include <gd.h>

#include <cstdio>

std::vector<unsigned char> readFrame(int width, int height) {
  std::vector<unsigned char> rgba(size_t(width) * height * 4);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

bool writeFramePng(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height) {
  std::vector<unsigned char> rgb(size_t(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    // GL's first row is the bottom one.
    const unsigned char* row = rgba.data() + size_t(height - 1 - y) * width * 4;
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) rgb[(size_t(y) * width + x) * 3 + c] = row[x * 4 + c];
  }
  return writeRgbPng(path, width, height, rgb);
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
