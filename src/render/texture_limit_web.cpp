#include "render/texture_limit.h"

#include <GL/glew.h>

// WebGL has no proxy textures: the largest size is all it tells.
bool glCanHold(unsigned width, unsigned height) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  return width <= unsigned(largest) && height <= unsigned(largest);
}
