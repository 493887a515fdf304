#pragma once
// Files as they change while the preview runs: the pictures, shaders and
// fonts the scenes read, or the sources of the show's code. A change counts
// once the file's new size and time have held from one look to the next, so
// that a file still being written is not read half-way.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

class fileStamp {
 public:
  bool exists = false;
  int64_t modified = 0;  // the file system's time, in its own units
  uintmax_t size = 0;

  bool operator==(const fileStamp& other) const {
    return exists == other.exists && modified == other.modified && size == other.size;
  }
};

// A file's stamp now; not existing if it is not a regular file.
fileStamp stampOf(const std::string& path);

// A folder the watch looks in, and the files in it that count.
class watchedFolder {
 public:
  std::string folder;                 // under the root; empty for the root itself
  std::vector<std::string> suffixes;  // how their names end; none: every file
};

// The files the scenes read, in their working folder: the pictures, the
// shaders and the fonts.
extern const std::vector<watchedFolder> kSceneFiles;

class fileWatch {
 public:
  std::string root;
  std::vector<watchedFolder> folders;
  std::map<std::string, fileStamp> seen;
  std::set<std::string> settling;  // changed at the last look
  // Off, a change counts at the look that sees it: for files read by a
  // build, which starts again if they change while it runs.
  bool waitsToSettle = true;
  // The inotify descriptor on the folders; -1 where a folder or a file is a
  // link, whose target's changes it would not see, and every look reads
  // the folders.
  int notifications = -1;

  // Notes every watched file under `root` as it is now.
  fileWatch(const std::string& root, const std::vector<watchedFolder>& folders);
  fileWatch(const fileWatch&) = delete;
  fileWatch& operator=(const fileWatch&) = delete;
  ~fileWatch();

  // The files whose change has held since the last look, named from the
  // root ("data/shaders/scroller.frag", "font.ttf"). A file that is gone
  // counts as changed too.
  std::vector<std::string> changedFiles();

  // The watched files under `root` as they are now.
  std::map<std::string, fileStamp> look() const;
  // Whether anything in the folders may have changed since the last call.
  bool notified();
};
