#include "render/target_mipmaps.h"

void keepMipmapsUpdated() {}

void updateMipmaps(GLuint texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGenerateMipmap(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
}
