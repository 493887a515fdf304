#pragma once
// The scroller scene, from 11 s to the end: a turning sun, a black
// silhouette band sliding across the bottom, a black spiral close to the
// eye, and the credits and greetings lines sliding through the text shader.

#include "render/image_texture.h"
#include "render/render_target.h"
#include "render/shader_program.h"
#include "render/text_face.h"

class scene2EFX {
 public:
  imageTexture* scrollerTexture;
  imageTexture* sunTexture;
  textFace* font;
  renderTarget* target;
  shaderProgram* textShader;
  unsigned width;
  unsigned height;

  scene2EFX(unsigned width, unsigned height, const char* fontPath);

  // Draws the frame for music time t (seconds) onto the window.
  virtual void render(float t);
};
