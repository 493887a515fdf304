#pragma once
// Tells whether GL objects were created between two moments: the driver
// hands out names in rising order, so the name a probe gets back (and gives
// back at once) moves on only if something else took names in between.

#include <GL/glew.h>

class glObjectProbe {
 public:
  GLuint texture = 0, buffer = 0, framebuffer = 0, renderbuffer = 0, list = 0, shader = 0;

  // Remembers the names the driver would hand out now.
  void mark();
  // How many objects, of all kinds together, got names since `mark`.
  long createdSinceMark() const;
};
