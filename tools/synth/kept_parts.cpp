#include "kept_parts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// FNV-1a, 64 bits: enough to tell one build's objects from another's.
constexpr uint64_t kHashStart = 0xcbf29ce484222325ull;
uint64_t hashBytes(uint64_t hash, const std::string& bytes) {
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
  return hash;
}

bool readWhole(const std::string& path, std::string* bytes) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  bytes->resize(size_t(file.tellg()));
  file.seekg(0);
  return bool(file.read(bytes->data(), std::streamsize(bytes->size())));
}

// "word_slam_part.cpp.o" is kept as "word_slam_part.samples".
std::string keptFile(const std::string& folder, const std::string& object) {
  return folder + "/" + object.substr(0, object.find('.')) + ".samples";
}

// A kept part: its key, its first frame and its frame count, then the left
// and the right channel.
class keptHeader {
 public:
  uint64_t key;
  int64_t firstFrame;
  uint64_t frames;
};

bool readKept(const std::string& path, uint64_t key, stereoBuffer* part) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  size_t size = size_t(file.tellg());
  keptHeader header{};
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(&header), sizeof header)) return false;
  // A file cut short, or of other code, is played again.
  if (header.key != key || size - sizeof header != header.frames * 2 * sizeof(float)) return false;
  part->firstFrame = long(header.firstFrame);
  part->left.resize(header.frames);
  part->right.resize(header.frames);
  std::streamsize channel = std::streamsize(header.frames * sizeof(float));
  return file.read(reinterpret_cast<char*>(part->left.data()), channel) &&
         file.read(reinterpret_cast<char*>(part->right.data()), channel);
}

// Written beside and then moved in place, so that a run stopped halfway
// leaves the part before it or none.
void keep(const std::string& path, uint64_t key, const stereoBuffer& part) {
  keptHeader header{key, part.firstFrame, part.frames()};
  std::string unfinished = path + ".new";
  {
    std::ofstream file(unfinished, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(part.left.data()), std::streamsize(part.frames() * sizeof(float)));
    file.write(reinterpret_cast<const char*>(part.right.data()), std::streamsize(part.frames() * sizeof(float)));
    if (!file.flush()) return;
  }
  std::error_code error;
  std::filesystem::rename(unfinished, path, error);
}

}  // namespace

bool keptParts::readKeys(const std::vector<trackPart>& parts, std::string* line) {
  std::vector<std::string> others;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(objects, error))
    if (entry.path().extension() == ".o") others.push_back(entry.path().filename().string());
  std::sort(others.begin(), others.end());
  std::vector<std::string> own(parts.size());
  for (size_t i = 0; i < parts.size(); ++i) {
    if (!readWhole(objects + "/" + parts[i].object, &own[i])) {
      *line = "cannot read " + objects + "/" + parts[i].object;
      return false;
    }
    others.erase(std::remove(others.begin(), others.end(), parts[i].object), others.end());
  }
  // What every part runs: the instruments, the effects, the mix.
  uint64_t shared = kHashStart;
  for (const std::string& name : others) {
    std::string bytes;
    if (!readWhole(objects + "/" + name, &bytes)) {
      *line = "cannot read " + objects + "/" + name;
      return false;
    }
    shared = hashBytes(hashBytes(shared, name), bytes);
  }
  keys.clear();
  for (const std::string& bytes : own) keys.push_back(hashBytes(shared, bytes));
  return true;
}

stereoBuffer keptParts::play(const std::vector<trackPart>& parts, size_t index, bool* kept) const {
  std::string path = keptFile(folder, parts[index].object);
  stereoBuffer part;
  *kept = readKept(path, keys[index], &part);
  if (*kept) return part;
  part = parts[index].render();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  keep(path, keys[index], part);
  return part;
}
