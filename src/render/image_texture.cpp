#include "render/image_texture.h"

#include "render/png_texture.h"

imageTexture::imageTexture(const char* path) : texture(loadPngTexture(path)) {}

void imageTexture::bind() {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
}

void imageTexture::unbind() {
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void imageTexture::drawQuad(float a, float b, float z) {
  bind();
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(-2 * a, 2 * b, z);
  glTexCoord2f(1, 0);
  glVertex3f(2 * a, 2 * b, z);
  glTexCoord2f(1, 1);
  glVertex3f(2 * a, -2 * b, z);
  glTexCoord2f(0, 1);
  glVertex3f(-2 * a, -2 * b, z);
  glEnd();
  unbind();
}
