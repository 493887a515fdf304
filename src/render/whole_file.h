#pragma once
// Reads a file whole into memory: the one reader behind the pictures, the
// shaders and the fonts. It reports what happened and prints nothing; each
// caller says it in its own words.

#include <cstddef>

enum class fileRead {
  complete,   // every byte is in
  shortRead,  // fewer bytes came than the file holds; the buffer holds those
  notOpened,  // missing, unreadable, or not a regular file
  tooLarge,   // larger than the caller can take; nothing was read
  noMemory,   // no buffer could be had for it
};

class wholeFile {
 public:
  char* bytes = nullptr;  // malloc'd, with a NUL after the last byte read
  size_t size = 0;        // bytes read

  wholeFile() = default;
  wholeFile(const wholeFile&) = delete;
  wholeFile& operator=(const wholeFile&) = delete;
  ~wholeFile();
};

// What every loader says when memory runs out.
constexpr const char* kOutOfMemoryLine = "Couldn't allocate memory";

// Prints kOutOfMemoryLine and ends the process with status -1: what every
// loader does when memory runs out.
[[noreturn]] void exitOutOfMemory();

// Reads the file at `path` into `out`, as bytes: no platform translates its
// line endings. Only a regular file is opened: a pipe would wait for a
// writer for ever, and a folder or a device is not a file to load. A file of
// more than `largest` bytes is refused before reading.
fileRead readWholeFile(const char* path, size_t largest, wholeFile* out);
