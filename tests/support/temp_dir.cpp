#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string makeTempDir() {
  char pattern[] = "/tmp/vorlane-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? made : "";
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}
