#include "file_watch.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool counts(const watchedFolder& watched, const std::string& name) {
  if (watched.suffixes.empty()) return true;
  for (const std::string& suffix : watched.suffixes)
    if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      return true;
  return false;
}

}  // namespace

const std::vector<watchedFolder> kSceneFiles = {{"data/textures", {".png"}}, {"data/shaders", {}}, {"", {".ttf"}}};

fileStamp stampOf(const std::string& path) {
  fileStamp stamp;
  std::error_code error;
  // Through links: the preview's working folder links to the sources.
  if (!fs::is_regular_file(path, error)) return stamp;
  stamp.modified = int64_t(fs::last_write_time(path, error).time_since_epoch().count());
  stamp.size = fs::file_size(path, error);
  stamp.exists = !error;
  return stamp;
}

fileWatch::fileWatch(const std::string& root, const std::vector<watchedFolder>& folders)
    : root(root), folders(folders), seen(look()) {}

std::map<std::string, fileStamp> fileWatch::look() const {
  std::map<std::string, fileStamp> stamps;
  for (const watchedFolder& watched : folders) {
    std::string prefix = watched.folder.empty() ? "" : watched.folder + "/";
    std::error_code error;
    for (fs::directory_iterator file(fs::path(root) / watched.folder, error), end; !error && file != end;
         file.increment(error)) {
      std::string name = file->path().filename().string();
      if (!counts(watched, name)) continue;
      fileStamp stamp = stampOf(file->path().string());
      if (stamp.exists) stamps[prefix + name] = stamp;
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
    if (!same && waitsToSettle)
      settling.insert(file.first);
    else if (!same || settling.erase(file.first))
      changed.push_back(file.first);
  }
  seen = now;
  return changed;
}
