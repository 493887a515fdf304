#pragma once
// The last scene's sliding band: a city skyline over a far range of hills,
// clear sky above and solid ground below. The scene draws it black, so only
// its alpha shows, as a silhouette over the sun; the far layer is half
// transparent and reads as a paler silhouette behind the near one. Every
// shape wraps from the right edge to the left, so the band repeats without a
// seam as it slides.

#include "canvas.h"

// The band is 400 x 80 units on screen, about 2560 x 288 pixels, of which the
// top three quarters are inside the view.
constexpr int kBandWidth = 1024;
constexpr int kBandHeight = 256;

canvas paintSkylineBand();
