#include "build_errors.h"

#include <sstream>

namespace {

bool has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The build tool's own summary ("make[2]: *** [...] Error 1") repeats a
// failure reported above it.
bool reportsAnError(const std::string& line) {
  if (line.rfind("make", 0) == 0 || line.rfind("gmake", 0) == 0 || line.rfind("ninja:", 0) == 0) return false;
  return has(line, "error:") || has(line, "Error") || has(line, "undefined reference");
}

}  // namespace

std::string firstErrorLine(const std::string& log, const std::string& sourceRoot, int status) {
  std::istringstream lines(log);
  std::string prefix = sourceRoot + "/";
  for (std::string line; std::getline(lines, line);) {
    if (!reportsAnError(line)) continue;
    for (size_t at; (at = line.find(prefix)) != std::string::npos;) line.erase(at, prefix.size());
    return has(line, "error") ? line : "error: " + line;
  }
  return "error: the build of the show failed (status " + std::to_string(status) + ")";
}
