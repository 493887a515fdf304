#pragma once
// The word-slam scene's backdrop: a mottled mid-green with a faint sunburst
// and halftone dots, like a comic panel. It is shown at 80 % and then 20 %
// brightness under small dark and big white words, so its contrast stays
// moderate and its tone in the middle, where both kinds of word read.

#include "canvas.h"

// The square covers 104 x 104 units of a 16:9 view, about 1318 x 741 pixels.
constexpr int kGreenWidth = 1024;
constexpr int kGreenHeight = 576;

canvas paintGreenBackground();
