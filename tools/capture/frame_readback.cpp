#include "frame_readback.h"

#include <cstring>

frameReadback::frameReadback(int width, int height) : width(width), height(height) {
  glGenBuffers(2, buffers);
  for (GLuint buffer : buffers) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    glBufferData(GL_PIXEL_PACK_BUFFER, GLsizeiptr(size_t(width) * height * 4), nullptr, GL_STREAM_READ);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

frameReadback::~frameReadback() { glDeleteBuffers(2, buffers); }

bool frameReadback::readAndTakePrevious(std::vector<unsigned char>* previous) {
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers[next]);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  next = 1 - next;
  ++queued;
  bool hadOne = queued == 2;
  if (hadOne) {
    // The other buffer holds the frame before this one.
    take(buffers[next], previous);
    --queued;
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  return hadOne;
}

bool frameReadback::takeLast(std::vector<unsigned char>* last) {
  if (queued == 0) return false;
  take(buffers[1 - next], last);
  queued = 0;
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  return true;
}

void frameReadback::take(GLuint buffer, std::vector<unsigned char>* bytes) {
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
  const void* mapped = glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY);
  bytes->resize(size_t(width) * height * 4);
  if (mapped) memcpy(bytes->data(), mapped, bytes->size());
  glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
}
