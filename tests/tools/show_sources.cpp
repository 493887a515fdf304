#include "tools/show_sources.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// What the preview's build of the show reads.
const char* const kCopied[] = {"CMakeLists.txt", "cmake", "src", "tools", "data", "fonts"};

void copyIfDifferent(const fs::path& from, const fs::path& to) {
  std::string bytes = readFile(from.string());
  std::error_code error;
  if (fs::exists(to, error) && readFile(to.string()) == bytes) return;
  fs::create_directories(to.parent_path());
  writeFile(to.string(), bytes);
  fs::permissions(to, fs::status(from).permissions());
}

}  // namespace

showSources preparedShowSources() {
  showSources sources{PREVIEW_SOURCES_COPY, PREVIEW_SHOW_BUILD};
  std::set<fs::path> inRepository;
  for (const char* part : kCopied) {
    fs::path from = fs::path(VORLANE_SOURCE_DIR) / part;
    if (fs::is_regular_file(from)) {
      copyIfDifferent(from, fs::path(sources.root) / part);
      inRepository.insert(part);
      continue;
    }
    for (const auto& file : fs::recursive_directory_iterator(from)) {
      if (!file.is_regular_file()) continue;
      fs::path relative = fs::relative(file.path(), VORLANE_SOURCE_DIR);
      copyIfDifferent(file.path(), sources.root / relative);
      inRepository.insert(relative);
    }
  }
  // A file a test added goes too.
  std::vector<fs::path> added;
  for (const auto& file : fs::recursive_directory_iterator(sources.root))
    if (file.is_regular_file() && !inRepository.count(fs::relative(file.path(), sources.root)))
      added.push_back(file.path());
  for (const fs::path& file : added) fs::remove(file);

  // What the build said, for a test that fails here.
  std::string log = " >" + sources.build + "-prepare.log 2>&1";
  // Built as the preview's own build of the show is, with the tests' generator and type.
  std::string configure = "cmake -G '" PREVIEW_GENERATOR "' -S " + sources.root + " -B " + sources.build +
                          " -DVORLANE_PREVIEW_SHOW=ON -DCMAKE_BUILD_TYPE=" PREVIEW_BUILD_TYPE + log;
  std::string build = "cmake --build " + sources.build + " --parallel 2" + log;
  // A build made with another generator is made again.
  std::string cache = sources.build + "/CMakeCache.txt";
  if (fs::exists(cache) &&
      readFile(cache).find("\nCMAKE_GENERATOR:INTERNAL=" PREVIEW_GENERATOR "\n") == std::string::npos)
    fs::remove_all(sources.build);
  if ((!fs::exists(cache) && std::system(configure.c_str()) != 0) ||
      std::system(build.c_str()) != 0)
    sources.build.clear();
  return sources;
}
