#pragma once
// The preview's build of the show (show/show_build.cmake): a CMake build
// folder configured from the sources with -DVORLANE_PREVIEW_SHOW=ON, and
// where the preview finds what it builds there.

#include <string>
#include <vector>

#include "file_watch.h"

constexpr const char* kShowLibraryTarget = "vorlane_show";
constexpr const char* kSynthTarget = "vorlane-synth";

// The sources the build of the show is made from, under their root: the
// schedule, the toolkit, the scenes, the runtime's frame, the synthesizer,
// the library's own entry and the CMake files that hold them together.
extern const std::vector<watchedFolder> kShowSources;

class showBuildFolder {
 public:
  std::string path;  // absolute

  // The show's library, as the build leaves it.
  std::string library() const { return path + "/vorlane-show.so"; }
  std::string synthesizer() const { return path + "/tools/synth/vorlane-synth"; }
  // The preview's working folder: data/ and the fonts, linked to the sources.
  std::string files() const { return path + "/show-files"; }
  // The last build's output.
  std::string buildLog() const { return path + "/preview-build.log"; }
  // The last music the synthesizer made, and what it printed.
  std::string music() const { return path + "/preview-music.wav"; }
  std::string musicLog() const { return path + "/preview-music.log"; }
  // The synthesizer's object files, and the parts of the music made from
  // them, which the next music reads again where its code has not changed.
  std::string synthObjects() const { return path + "/tools/synth/CMakeFiles/vorlane_synth.dir"; }
  std::string musicParts() const { return path + "/preview-music-parts"; }

  // Whether `path` has been configured as a build of the show.
  bool configured() const;
  // The sources it is built from, which its working folder links to.
  std::string sourceRoot() const;
  // The command that brings `target` up to date (null: everything), with
  // as many jobs as the machine has cores.
  std::vector<std::string> buildCommand(const char* target) const;
  // The command that makes the music from the schedule into music(),
  // playing again only the parts whose code has changed.
  std::vector<std::string> musicCommand() const;
};
