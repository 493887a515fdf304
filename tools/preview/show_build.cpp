#include "show_build.h"

#include <algorithm>
#include <filesystem>
#include <thread>

const std::vector<watchedFolder> kShowSources = {
    {"", {"CMakeLists.txt"}},
    {"src/schedule", {".h", "CMakeLists.txt"}},
    {"src/render", {".h", ".cpp", "CMakeLists.txt"}},
    {"src/scenes", {".h", ".cpp", "CMakeLists.txt"}},
    {"src/runtime", {".h", ".cpp"}},
    {"tools/synth", {".h", ".cpp", "CMakeLists.txt"}},
    {"tools/preview/show", {".h", ".cpp", ".cmake"}},
};

bool showBuildFolder::configured() const {
  std::error_code error;
  return std::filesystem::exists(path + "/CMakeCache.txt", error) &&
         std::filesystem::is_directory(files() + "/data", error);
}

std::string showBuildFolder::sourceRoot() const {
  std::error_code error;
  return std::filesystem::read_symlink(files() + "/data", error).parent_path().string();
}

std::vector<std::string> showBuildFolder::buildCommand(const char* target) const {
  std::vector<std::string> command = {VORLANE_CMAKE, "--build", path};
  if (target) command.insert(command.end(), {"--target", target});
  unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  command.insert(command.end(), {"--parallel", std::to_string(cores)});
  return command;
}

std::vector<std::string> showBuildFolder::musicCommand() const {
  return {synthesizer(), "--music", music(), "--keep-parts", synthObjects(), musicParts()};
}
