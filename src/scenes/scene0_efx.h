#pragma once
// The opening scene: a turning sun behind a landscape and two crag layers,
// the front one pulsing three times a second, all fading in over the first
// second of the music.

#include "render/image_texture.h"
#include "render/render_target.h"
#include "render/text_face.h"

class scene0EFX {
 public:
  imageTexture* background;
  imageTexture* backCrag;
  imageTexture* frontCrag;
  imageTexture* sun;
  textFace* font;  // opened and checked, never drawn
  renderTarget* target;
  unsigned width;
  unsigned height;

  scene0EFX(unsigned width, unsigned height, const char* fontPath);

  // Draws the frame for music time t (seconds) onto the window.
  virtual void render(float t);
};
