#include "build_errors.h"

#include <filesystem>
#include <sstream>

namespace {

bool has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The build tool's own summary ("make[2]: *** [...] Error 1") repeats a
// failure reported above it.
bool reportsAnError(const std::string& line) {
  if (line.rfind("make", 0) == 0 || line.rfind("gmake", 0) == 0 || line.rfind("ninja:", 0) == 0) return false;
  return has(line, "error:") || has(line, "Error") || has(line, "undefined reference");
}

// The line with the file it starts with, if that is a path through links
// (the build includes each layer's headers through a link to its folder),
// given as the file's own path.
std::string withFileResolved(std::string line) {
  if (line.rfind('/', 0) != 0) return line;
  size_t end = line.find(':');
  std::error_code error;
  std::filesystem::path file = std::filesystem::canonical(line.substr(0, end), error);
  return error ? line : line.replace(0, end, file.string());
}

}  // namespace

std::string firstErrorLine(const std::string& log, const std::string& sourceRoot, int status) {
  std::istringstream lines(log);
  std::error_code error;
  std::filesystem::path root = std::filesystem::canonical(sourceRoot, error);
  std::string prefix = (error ? sourceRoot : root.string()) + "/";
  for (std::string line; std::getline(lines, line);) {
    if (!reportsAnError(line)) continue;
    line = withFileResolved(line);
    for (size_t at; (at = line.find(prefix)) != std::string::npos;) line.erase(at, prefix.size());
    return has(line, "error") ? line : "error: " + line;
  }
  return "error: the build of the show failed (status " + std::to_string(status) + ")";
}
