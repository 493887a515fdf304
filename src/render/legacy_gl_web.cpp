// Desktop GL calls the show makes that the browser's GL emulation lacks or
// aborts on, given their WebGL meaning. The toolkit and the scenes call them
// as they do on the desktop.

#include <GL/glew.h>

extern "C" {

// WebGL 2 has framebuffer objects under their core names only.
void glGenFramebuffersEXT(GLsizei n, GLuint* framebuffers) { glGenFramebuffers(n, framebuffers); }
void glBindFramebufferEXT(GLenum target, GLuint framebuffer) { glBindFramebuffer(target, framebuffer); }
void glGenRenderbuffersEXT(GLsizei n, GLuint* renderbuffers) { glGenRenderbuffers(n, renderbuffers); }
void glBindRenderbufferEXT(GLenum target, GLuint renderbuffer) { glBindRenderbuffer(target, renderbuffer); }
void glRenderbufferStorageEXT(GLenum target, GLenum format, GLsizei width, GLsizei height) {
  glRenderbufferStorage(target, format, width, height);
}
void glFramebufferRenderbufferEXT(GLenum target, GLenum attachment, GLenum renderbufferTarget, GLuint renderbuffer) {
  glFramebufferRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
}
void glFramebufferTexture2DEXT(GLenum target, GLenum attachment, GLenum textureTarget, GLuint texture, GLint level) {
  glFramebufferTexture2D(target, attachment, textureTarget, texture, level);
}
GLenum glCheckFramebufferStatusEXT(GLenum target) { return glCheckFramebufferStatus(target); }

// A framebuffer of one colour attachment draws into it already.
void glDrawBuffer(GLenum) {}

// The emulation lights nothing, so it has no material to track the colour.
void glColorMaterial(GLenum, GLenum) {}

}  // extern "C"
