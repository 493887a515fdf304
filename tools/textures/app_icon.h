#pragma once
// The Windows program's icon: the show's sun, shrunk to the sizes Windows
// shows it at, each kept as a PNG inside one .ico file.

#include <string>

#include "canvas.h"

// The sizes in the icon, in pixels: the largest first.
constexpr int kIconSizes[] = {256, 48, 32, 16};

// The picture shrunk to size x size, each pixel the mean of the pixels it
// covers, weighted by their alpha so that clear pixels do not darken the edge.
canvas shrinkPicture(const canvas& picture, int size);

// The .ico file's bytes for the sun, at every size of kIconSizes.
std::string encodeIcon(const canvas& sun);
