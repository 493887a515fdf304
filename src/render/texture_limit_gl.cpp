#include "render/texture_limit.h"

#include <GL/glew.h>

bool glCanHold(unsigned width, unsigned height) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (width > unsigned(largest) || height > unsigned(largest)) return false;
  // A proxy texture allocates nothing; the driver answers with width 0 if
  // it could not make the real one.
  glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGBA8, GLsizei(width), GLsizei(height), 0, GL_RGBA, GL_UNSIGNED_BYTE,
               nullptr);
  GLint proxyWidth = 0;
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
  return proxyWidth != 0;
}
