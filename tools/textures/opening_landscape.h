#pragma once
// The opening scene's three layers, drawn one over another at the same size:
// a sky over distant mountains, a hazy crag line, and the dark near crags
// that swell with the beat. Both crag layers are clear where the sky shows.

#include "canvas.h"

// The layers fill 80 x 80 units of a 16:9 view, about 1014 x 570 pixels on
// screen: this size keeps one texel to a pixel.
constexpr int kLandscapeWidth = 1024;
constexpr int kLandscapeHeight = 576;

canvas paintOpeningBackground();
canvas paintBackCrags();
canvas paintFrontCrags();
