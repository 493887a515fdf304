#pragma once
// The word slam, 6.5 to 11 s: a hit for every word as it appears, a climbing
// run under the "Tscha!" column, two big hits for "BA!" and "SLAM!", the
// ring-out faded with the picture and a break.

#include "stereo_buffer.h"

stereoBuffer renderWordSlam();
