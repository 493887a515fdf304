#pragma once
// The scroller, 11 s to the end: sixteen bars at 100 BPM (intro, the hook,
// a second theme, a breakdown and a build, the hook again at full strength,
// a final chord) faded out with the picture.

#include "stereo_buffer.h"

stereoBuffer renderScroller();
