#pragma once
// The window's picture, read back and written as a PNG.

#include <string>
#include <vector>

#include "runtime/window.h"

// The back buffer's RGBA bytes, bottom row first, as GL reads them.
std::vector<unsigned char> readFrame();

// Writes RGBA bytes (bottom row first) as a PNG; false if the file cannot be written.
bool writeFramePng(const std::string& path, const std::vector<unsigned char>& rgba);

// Writes RGB bytes of a `width` x `height` picture (top row first) as a PNG;
// false if the file cannot be written.
bool writeRgbPng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
