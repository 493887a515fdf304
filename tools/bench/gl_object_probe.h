#pragma once
// Counts the GL objects created between two moments: the driver hands out
// names in rising order and does not reuse a freed one at once, so the name
// a probe takes (and frees at once) moves on by one for the probe itself and
// by one more for every object anything else created in between.

#include <GL/glew.h>

class glObjectProbe {
 public:
  GLuint texture = 0, buffer = 0, framebuffer = 0, renderbuffer = 0, list = 0, shader = 0;
  long countsSinceMark = 0;  // each count probes too, and takes names of its own

  // Remembers the names the driver would hand out now.
  void mark();
  // How many objects, of all kinds together, got names since `mark`; it may
  // be asked again and again.
  long createdSinceMark();
};
