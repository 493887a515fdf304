#pragma once
// The show's files as they change while the preview runs: the pictures and
// shaders under data/ and the fonts beside it. A change counts once the
// file's new size and time have held from one look to the next, so that a
// file still being written is not read half-way.

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

class fileWatch {
 public:
  std::string root;  // the demo's folder
  std::map<std::string, fileStamp> seen;
  std::set<std::string> settling;  // changed at the last look

  // Notes every watched file under `root` as it is now.
  explicit fileWatch(const std::string& root);

  // The files whose change has held since the last look, named as the
  // scenes name them ("data/shaders/scroller.frag", "font.ttf"). A file
  // that is gone counts as changed too.
  std::vector<std::string> changedFiles();

  // The watched files under `root` as they are now.
  std::map<std::string, fileStamp> look() const;
};
