#include "render/text_file.h"

#include <cstdio>
#include <cstdlib>

char* loadTextFile(const char* path) {
  FILE* file = fopen(path, "r");
  if (!file) {
    printf("Couldn't load shaderfile %s\n", path);
    exit(-1);
  }
  fseek(file, 0, SEEK_END);
  long size = ftell(file);
  rewind(file);
  if (size < 0) size = 0;
  char* text = static_cast<char*>(malloc(size_t(size) + 1));
  if (!text) {
    printf("Couldn't allocate memory\n");
    exit(-1);
  }
  size_t got = fread(text, 1, size_t(size), file);
  if (got < size_t(size)) printf("Error reading %s\n", path);
  text[got] = '\0';
  fclose(file);
  return text;
}
