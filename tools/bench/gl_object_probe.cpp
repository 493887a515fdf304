#include "gl_object_probe.h"

namespace {

class nextNames {
 public:
  GLuint texture, buffer, framebuffer, renderbuffer, list, shader;
};

nextNames probe() {
  nextNames next;
  glGenTextures(1, &next.texture);
  glDeleteTextures(1, &next.texture);
  glGenBuffers(1, &next.buffer);
  glDeleteBuffers(1, &next.buffer);
  glGenFramebuffersEXT(1, &next.framebuffer);
  glDeleteFramebuffersEXT(1, &next.framebuffer);
  glGenRenderbuffersEXT(1, &next.renderbuffer);
  glDeleteRenderbuffersEXT(1, &next.renderbuffer);
  next.list = glGenLists(1);
  glDeleteLists(next.list, 1);
  next.shader = glCreateShader(GL_VERTEX_SHADER);
  glDeleteShader(next.shader);
  return next;
}

}  // namespace

void glObjectProbe::mark() {
  nextNames next = probe();
  texture = next.texture;
  buffer = next.buffer;
  framebuffer = next.framebuffer;
  renderbuffer = next.renderbuffer;
  list = next.list;
  shader = next.shader;
  countsSinceMark = 0;
}

long glObjectProbe::createdSinceMark() {
  nextNames next = probe();
  ++countsSinceMark;
  // Every probe, the mark's and each count's, took one name of each kind.
  constexpr long kProbeKinds = 6;
  return long(next.texture - texture) + long(next.buffer - buffer) + long(next.framebuffer - framebuffer) +
         long(next.renderbuffer - renderbuffer) + long(next.list - list) + long(next.shader - shader) -
         kProbeKinds * countsSinceMark;
}
