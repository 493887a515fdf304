#pragma once
// Reads a text file whole.

// A newly allocated, NUL-terminated copy of the file's text. A file that
// cannot be opened or is not a regular file, or memory that runs out, ends
// the process with status -1; a short read is reported and the text ends
// where reading stopped.
char* loadTextFile(const char* path);
