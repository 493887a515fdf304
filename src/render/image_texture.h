#pragma once
// A picture from a PNG file, drawn on the scenes' own geometry or as one quad.

#include <GL/glew.h>

class imageTexture {
 public:
  GLuint texture;

  explicit imageTexture(const char* path);

  // Enables texturing with this picture.
  void bind();
  // Disables texturing and binds texture 0.
  void unbind();
  // Draws the picture on a quad 4a wide and 4b high, centred on the origin in
  // the plane at depth z, its top row at +y. No colour is set: the current
  // colour tints it.
  void drawQuad(float a, float b, float z);
};
