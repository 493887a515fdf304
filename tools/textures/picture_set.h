#pragma once
// The demo's six pictures: the file each is written to, the painter that
// makes it, and what it shows.

#include "canvas.h"

class picture {
 public:
  const char* file;
  canvas (*paint)();
  const char* shows;
};

extern const picture kPictures[6];
