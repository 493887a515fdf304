#pragma once
// A picture being painted: width x height straight-alpha colours, row 0 at the top.

#include <string>
#include <vector>

#include "colour.h"

class canvas {
 public:
  int width, height;
  std::vector<colour> pixels;

  canvas(int width, int height, colour fill) : width(width), height(height), pixels(size_t(width) * height, fill) {}

  colour& at(int x, int y) { return pixels[size_t(y) * width + x]; }
  const colour& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// The picture as a true-colour PNG with alpha, the way the demo reads it back
// through libgd; empty if it could not be encoded.
std::string encodePng(const canvas& picture);

// Writes the bytes into a file. Returns their number, or -1 if there were
// none or they could not be written.
long writeBytes(const std::string& bytes, const std::string& path);

// Writes the picture as encodePng makes it. Returns the file's size in bytes,
// or -1 if it could not be written.
long writePng(const canvas& picture, const std::string& path);
