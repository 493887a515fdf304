#pragma once
// The turning sun: a glowing disc with wedge rays on a transparent ground.
// The rays against the transparent gaps make the pattern, since the scenes'
// pulsing cyan-to-white clear colour shows between them.

#include "canvas.h"

constexpr int kSunSize = 1024;

canvas paintSun();
