#include "render/render_target.h"

#include <cstdio>
#include <cstdlib>

#include "render/target_mipmaps.h"

renderTarget::renderTarget(unsigned width, unsigned height, float clearR, float clearG, float clearB)
    : width(width), height(height), clearR(clearR), clearG(clearG), clearB(clearB) {
  glGenFramebuffersEXT(1, &framebuffer);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);

  glGenRenderbuffersEXT(1, &depthBuffer);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthBuffer);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, width, height);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthBuffer);

  glGenTextures(1, &colourTexture);
  glBindTexture(GL_TEXTURE_2D, colourTexture);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  keepMipmapsUpdated();
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F_ARB, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, colourTexture, 0);

  GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
  if (status == GL_FRAMEBUFFER_COMPLETE_EXT) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    return;
  }
  printf("Framebuffer error %u\n", status);
  exit(0);
}

void renderTarget::begin() {
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
  // The window's viewport is the picture's place in it, whatever the
  // window's size; the target is drawn whole.
  glGetIntegerv(GL_VIEWPORT, windowViewport);
  glViewport(0, 0, GLsizei(width), GLsizei(height));
  glClearColor(clearR, clearG, clearB, 1);
  glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT);
  glActiveTexture(GL_TEXTURE0);
  // k is a whole number on purpose: 1280 x 720 gives a square frustum that
  // the 16:9 target stretches. Left is greater than right: X is mirrored
  // here and mirrored back by `present`.
  float k = float(width / height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(0.5, -0.5, -0.5 * k, 0.5 * k, 1, 5000);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void renderTarget::end() {
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glViewport(windowViewport[0], windowViewport[1], windowViewport[2], windowViewport[3]);
}

void renderTarget::present() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glActiveTexture(GL_TEXTURE0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, colourTexture);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  makeMipmapsToShow(*this, viewport[2], viewport[3]);
  // s runs from 1 to 0 across the screen: this undoes the mirrored frustum.
  glBegin(GL_QUADS);
  glTexCoord2f(1, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(0, 0);
  glVertex2f(1, -1);
  glTexCoord2f(0, 1);
  glVertex2f(1, 1);
  glTexCoord2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  glMatrixMode(GL_MODELVIEW);
}
