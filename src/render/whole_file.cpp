#include "render/whole_file.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

wholeFile::~wholeFile() { free(bytes); }

void exitOutOfMemory() {
  printf("%s\n", kOutOfMemoryLine);
  exit(-1);
}

fileRead readWholeFile(const char* path, size_t largest, wholeFile* out) {
  struct stat info;
  if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return fileRead::notOpened;
  FILE* file = fopen(path, "rb");
  if (!file) return fileRead::notOpened;
  // The size is taken as the file system gives it, never narrowed.
  uint64_t size = uint64_t(info.st_size);
  if (size > largest) {
    fclose(file);
    return fileRead::tooLarge;
  }
  out->bytes = static_cast<char*>(malloc(size_t(size) + 1));
  if (!out->bytes) {
    fclose(file);
    return fileRead::noMemory;
  }
  out->size = fread(out->bytes, 1, size_t(size), file);
  out->bytes[out->size] = '\0';
  fclose(file);
  return out->size < size ? fileRead::shortRead : fileRead::complete;
}
