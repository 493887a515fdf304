#include "render/text_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "render/whole_file.h"

char* loadTextFile(const char* path) {
  wholeFile file;
  // Binary: Windows' text mode would drop every CR of a CR LF file and
  // report the read as short.
  switch (readWholeFile(path, "rb", SIZE_MAX - 1, &file)) {
    case fileRead::notOpened:
      printf("Couldn't load shaderfile %s\n", path);
      exit(-1);
    case fileRead::tooLarge:
    case fileRead::noMemory:
      printf("Couldn't allocate memory\n");
      exit(-1);
    case fileRead::shortRead:
      printf("Error reading %s\n", path);
      break;
    case fileRead::complete:
      break;
  }
  char* text = file.bytes;
  file.bytes = nullptr;
  return text;
}
