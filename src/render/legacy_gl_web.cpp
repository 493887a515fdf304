// The desktop GL calls the show makes, given their WebGL 2 meaning. The
// toolkit and the scenes call them as they do on the desktop. A call that
// changes what a draw would look like draws the batched vertices first
// (immediate_mode_web.h).

#include <GL/gl.h>
#include <GL/glext.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include "render/immediate_mode_web.h"

namespace {

// glEnable and glDisable: texturing is the batch's, and WebGL has no
// switches for lighting's material, normals or multisampling. Nothing is
// lit, and the window has no multisample buffer, on the desktop either.
void setCapability(GLenum capability, bool on) {
  switch (capability) {
    case GL_TEXTURE_2D:
      setTexturing(on);
      return;
    case GL_COLOR_MATERIAL:
    case GL_NORMALIZE:
    case GL_MULTISAMPLE:
      return;
    default:
      drawBatchedVertices();
      if (on)
        emscripten_glEnable(capability);
      else
        emscripten_glDisable(capability);
  }
}

}  // namespace

extern "C" {

// WebGL 2 has framebuffer objects under their core names only.
void glGenFramebuffersEXT(GLsizei n, GLuint* framebuffers) { emscripten_glGenFramebuffers(n, framebuffers); }
void glBindFramebufferEXT(GLenum target, GLuint framebuffer) {
  drawBatchedVertices();
  emscripten_glBindFramebuffer(target, framebuffer);
}
void glGenRenderbuffersEXT(GLsizei n, GLuint* renderbuffers) { emscripten_glGenRenderbuffers(n, renderbuffers); }
void glBindRenderbufferEXT(GLenum target, GLuint renderbuffer) { emscripten_glBindRenderbuffer(target, renderbuffer); }
void glRenderbufferStorageEXT(GLenum target, GLenum format, GLsizei width, GLsizei height) {
  emscripten_glRenderbufferStorage(target, format, width, height);
}
void glFramebufferRenderbufferEXT(GLenum target, GLenum attachment, GLenum renderbufferTarget, GLuint renderbuffer) {
  emscripten_glFramebufferRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
}
void glFramebufferTexture2DEXT(GLenum target, GLenum attachment, GLenum textureTarget, GLuint texture, GLint level) {
  emscripten_glFramebufferTexture2D(target, attachment, textureTarget, texture, level);
}
GLenum glCheckFramebufferStatusEXT(GLenum target) { return emscripten_glCheckFramebufferStatus(target); }

// A framebuffer of one colour attachment draws into it already.
void glDrawBuffer(GLenum) {}

// Nothing is lit, so there is no material to track the colour.
void glColorMaterial(GLenum, GLenum) {}

void glEnable(GLenum capability) { setCapability(capability, true); }

void glDisable(GLenum capability) { setCapability(capability, false); }

void glBindTexture(GLenum target, GLuint texture) {
  drawBatchedVertices();
  emscripten_glBindTexture(target, texture);
}

void glActiveTexture(GLenum unit) {
  drawBatchedVertices();
  emscripten_glActiveTexture(unit);
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
  drawBatchedVertices();
  emscripten_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
  drawBatchedVertices();
  emscripten_glTexParameteri(target, name, value);
}

void glTexParameterf(GLenum target, GLenum name, GLfloat value) {
  drawBatchedVertices();
  emscripten_glTexParameterf(target, name, value);
}

void glBlendFunc(GLenum source, GLenum destination) {
  drawBatchedVertices();
  emscripten_glBlendFunc(source, destination);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  drawBatchedVertices();
  emscripten_glViewport(x, y, width, height);
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
  drawBatchedVertices();
  emscripten_glScissor(x, y, width, height);
}

void glClear(GLbitfield buffers) {
  drawBatchedVertices();
  emscripten_glClear(buffers);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
  drawBatchedVertices();
  emscripten_glReadPixels(x, y, width, height, format, type, pixels);
}

}  // extern "C"
