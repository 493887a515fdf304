#pragma once
// The parts of the track kept on disk from one run of the synthesizer to
// the next, for the preview, which makes the music again after every edit
// of the schedule or of the synthesizer. A part is played again only when
// the code that makes it has changed: its key is a hash of the
// synthesizer's object files, the other parts' own left out. An edit that
// moves a word changes the word slam's object and no other, so only the
// word slam is played again. The synthesizer is seeded, so the same code
// makes the same samples.

#include <cstdint>
#include <string>
#include <vector>

#include "stereo_buffer.h"

// A part of the track, and the object file its source compiles to in the
// synthesizer's build.
class trackPart {
 public:
  const char* name;    // for the progress line
  const char* object;  // "opening_part.cpp.o"
  stereoBuffer (*render)();
};

class keptParts {
 public:
  std::string objects;  // the folder of the synthesizer's object files
  std::string folder;   // where the parts are kept, one file each
  std::vector<uint64_t> keys;  // one for each part, from readKeys

  // Reads the object files and makes the parts' keys: false, with `line`
  // saying why, if a part's object file cannot be read.
  bool readKeys(const std::vector<trackPart>& parts, std::string* line);
  // Part `index`, read from the folder if it is kept there under its key,
  // else played and kept for the next run. `kept` says which.
  stereoBuffer play(const std::vector<trackPart>& parts, size_t index, bool* kept) const;
};
