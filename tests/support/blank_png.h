#pragma once
// A valid PNG of any size that stays small on disk: one bit per pixel, every
// pixel black, deflated. A 46340 x 46340 one is about 260 KB and declares
// over two billion pixels.

#include <string>

std::string blankPng(unsigned width, unsigned height);
