#include "file_watch.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folders watched, and the files in them that the scenes read.
const struct {
  const char* folder;
  const char* extension;  // empty: every file
} kWatched[] = {{"data/textures", ".png"}, {"data/shaders", ""}, {"", ".ttf"}};

}  // namespace

fileWatch::fileWatch(const std::string& root) : root(root), seen(look()) {}

std::map<std::string, fileStamp> fileWatch::look() const {
  std::map<std::string, fileStamp> stamps;
  for (const auto& watched : kWatched) {
    std::string prefix = *watched.folder ? std::string(watched.folder) + "/" : "";
    std::error_code error;
    for (fs::directory_iterator file(fs::path(root) / watched.folder, error), end; !error && file != end;
         file.increment(error)) {
      std::string extension = watched.extension;
      if (!file->is_regular_file(error) || (!extension.empty() && file->path().extension() != extension)) continue;
      fileStamp stamp;
      stamp.exists = true;
      stamp.modified = int64_t(file->last_write_time(error).time_since_epoch().count());
      stamp.size = file->file_size(error);
      stamps[prefix + file->path().filename().string()] = stamp;
    }
  }
  return stamps;
}

std::vector<std::string> fileWatch::changedFiles() {
  std::map<std::string, fileStamp> now = look();
  // A file seen before and gone now is still watched, as gone.
  for (const auto& before : seen) now.emplace(before.first, fileStamp());
  std::vector<std::string> changed;
  for (const auto& file : now) {
    auto before = seen.find(file.first);
    bool same = before != seen.end() && before->second == file.second;
    if (!same)
      settling.insert(file.first);
    else if (settling.erase(file.first))
      changed.push_back(file.first);
  }
  seen = now;
  return changed;
}
