#pragma once
// The window's picture, read back and written as a PNG.

#include <string>
#include <vector>

// The RGBA bytes of the back buffer, `width` x `height`, bottom row first,
// as GL reads them.
std::vector<unsigned char> readFrame(int width, int height);

// Writes the RGBA bytes of a `width` x `height` frame (bottom row first) as
// a PNG; false if the file cannot be written.
bool writeFramePng(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height);

// Writes RGB bytes of a `width` x `height` picture (top row first) as a PNG;
// false if the file cannot be written.
bool writeRgbPng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
