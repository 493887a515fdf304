#pragma once
// What a failed build of the show says, in the one line the preview shows:
// the compiler's or the linker's first error.

#include <string>

// The first line of `log` that reports an error: a compiler's or CMake's
// "error", or the linker's "undefined reference". Paths under
// `sourceRoot` are given relative to it, a header that the build reaches
// through a link by the path of the file itself. A line that does not say "error"
// gets "error: " before it. Without such a line: "error: the build of the
// show failed (status N)".
std::string firstErrorLine(const std::string& log, const std::string& sourceRoot, int status);
