#pragma once
// The word-slam scene, 6.5 s to 11 s: small dark words added one by one on a
// green square, a column of "Tscha!" growing upwards, then "BA!" and "SLAM!"
// thrown on a darkened background, and a fade to black.

#include "render/image_texture.h"
#include "render/render_target.h"
#include "render/text_face.h"

class velmoEFX {
 public:
  textFace* font;
  renderTarget* target;
  unsigned width;
  unsigned height;
  imageTexture* background;

  velmoEFX(unsigned width, unsigned height, const char* fontPath);

  // Draws the frame for music time t (seconds) onto the window.
  virtual void render(float t);
};
