#pragma once
// The opening, 0 to 6.5 s: a pad that swells with the crag's pulse, glassy
// plucks on every pulse, a heartbeat kick and a riser into the first word.

#include "stereo_buffer.h"

stereoBuffer renderOpening();
