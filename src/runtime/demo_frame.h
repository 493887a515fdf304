#pragma once
// The show's frame, shared by the demo's loop and the capture tool: the
// scenes, the fixed GL state they rely on, and the drawing of one frame.

#include <functional>

#include "scenes/scene0_efx.h"
#include "scenes/scene2_efx.h"
#include "scenes/velmo_efx.h"

class demoScenes {
 public:
  scene0EFX* opening;
  velmoEFX* wordSlam;
  scene2EFX* scroller;
};

// Builds the three scenes, loading every file they need; a missing file ends
// the process here, before the first frame.
demoScenes buildScenes();

// GL state every scene relies on, set once before the first frame. The
// depth test, colour material, normalising and blending stay as set; the
// projection does not: each render target's begin replaces it with the
// scene's, and present leaves it identity.
void setFixedState();

// Clears the window and, once the music has started, draws the scene that
// owns the music time `musicTime` gives, scaled to fill the window's
// framebuffer (picture_area.h). Nothing is drawn before the start.
void drawFrame(const demoScenes& scenes, bool started, const std::function<float()>& musicTime);
