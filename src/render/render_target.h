#pragma once
// An off-screen picture: a framebuffer with a half-float colour texture and a
// 24-bit depth buffer, plus the projection every scene is drawn with.

#include <GL/glew.h>

class renderTarget {
 public:
  unsigned width;
  unsigned height;
  GLuint framebuffer;
  GLuint depthBuffer;
  GLuint colourTexture;
  // The colour `begin` clears to, alpha 1. Scenes may rewrite it between
  // frames; values outside [0, 1] go to the clear call as they are.
  float clearR, clearG, clearB;
  // The window's viewport while the target is drawn into, given back by `end`.
  GLint windowViewport[4];

  // Ends the process with "Framebuffer error <status>" if the driver cannot
  // complete the framebuffer.
  renderTarget(unsigned width, unsigned height, float clearR, float clearG, float clearB);

  // Draw into the target: bound, its own size as the viewport, cleared,
  // scene projection, identity model-view.
  void begin();
  // Draw into the window again, in the window's viewport; the scene
  // projection stays until `present`.
  void end();
  // Draws the target over the whole current viewport, tinted by the
  // current colour and blended by the current blend function.
  void present();
};
