#pragma once
// Death tests match the dying child's standard error, and the demo writes its
// lines to standard output: send the child's standard output there.

#include <cstdio>
#include <unistd.h>

inline void withStdoutOnStderr() {
  fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
}
