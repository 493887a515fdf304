// The show's library calls libgd's PNG decoder by its name, and a name the
// program itself defines, and exports, comes before the libraries': the
// preview's decoder keeps what it decodes across reloads of the show's
// code (decoded_pictures.h), and decodes through libgd's own.

#include <dlfcn.h>

#include "decoded_pictures.h"

extern "C" gdImagePtr gdImageCreateFromPngPtr(int size, void* bytes) {
  static decodedPictures pictures;
  static pngDecoder libgd = reinterpret_cast<pngDecoder>(dlsym(RTLD_NEXT, "gdImageCreateFromPngPtr"));
  return pictures.decode(size, bytes, libgd);
}
