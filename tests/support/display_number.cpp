#include "support/display_number.h"

#include <sstream>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

bool displayChosen(const std::string& path) { return !readFile(path).empty(); }

}  // namespace

std::string chosenDisplay(const std::string& outputPath) {
  if (!waitUntil(15, displayChosen, outputPath)) return "";
  std::istringstream number(readFile(outputPath));
  int n = -1;
  return number >> n ? ":" + std::to_string(n) : "";
}
