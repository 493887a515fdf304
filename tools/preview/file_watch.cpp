#include "file_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

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
    : root(root), folders(folders), seen(look()) {
  std::error_code error;
  bool linked = false;
  for (const watchedFolder& watched : folders) {
    fs::path folder = fs::path(root) / watched.folder;
    linked = linked || fs::is_symlink(folder, error);
    for (fs::directory_iterator file(folder, error), end; !error && file != end; file.increment(error))
      linked = linked || file->is_symlink(error);
  }
  if (linked) return;
  notifications = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  constexpr uint32_t kChanges = IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
  for (const watchedFolder& watched : folders) {
    if (notifications < 0) break;
    std::string folder = (fs::path(root) / watched.folder).string();
    if (inotify_add_watch(notifications, folder.c_str(), kChanges) < 0) {
      close(notifications);
      notifications = -1;
    }
  }
}

fileWatch::~fileWatch() {
  if (notifications >= 0) close(notifications);
}

bool fileWatch::notified() {
  if (notifications < 0) return true;
  // What changed is read again from the folders: the events only wake the look.
  alignas(inotify_event) char events[4096];
  bool any = false;
  bool folderGone = false;
  for (ssize_t size; (size = read(notifications, events, sizeof events)) > 0;) {
    any = true;
    for (char* at = events; at < events + size;) {
      const inotify_event* event = reinterpret_cast<const inotify_event*>(at);
      folderGone = folderGone || (event->mask & IN_IGNORED);
      at += sizeof(inotify_event) + event->len;
    }
  }
  // A folder removed and made again is no longer watched: look every time.
  if (folderGone) {
    close(notifications);
    notifications = -1;
  }
  return any;
}

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
  // A file settling is looked at again whatever the kernel says.
  if (!notified() && settling.empty()) return {};
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
