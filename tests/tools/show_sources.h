#pragma once
// A copy of the repository's sources for the preview to build and watch,
// which the tests edit instead of the repository's own files. It is kept
// in the test build's folder, with the preview's build of it, between runs,
// and put back to the repository's files before each test, so that no test
// sees another's edits.

#include <string>

class showSources {
 public:
  std::string root;   // the copy
  std::string build;  // the preview's build of it
};

// Puts the copy back to the repository's files (a file that differs is
// written anew, so that the build sees the change) and brings its build up
// to date. Its build is empty if that failed.
showSources preparedShowSources();
