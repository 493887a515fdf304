#pragma once
// Which scene owns a moment of the music.

#include "schedule/schedule.h"

enum class sceneSlot { none, opening, wordSlam, scroller };

// The scene drawn at music time t. At exactly 6.5 s and exactly 11 s no scene
// is drawn: each boundary is excluded on both sides.
sceneSlot sceneAt(float t);
