#pragma once
// The show's code built again beside the running show, once its sources
// have changed: first the library, whose new version the preview then
// loads, then the synthesizer, and, when that came out new, the music from
// it, which the preview then plays in place of the old. Each step runs in
// the background; the frame loop asks what has happened since the last
// frame.

#include <string>

#include "background_job.h"
#include "file_watch.h"
#include "show_build.h"

enum class rebuildEvent {
  none,
  libraryBuilt,  // the build is done and the library is as it was
  newLibrary,    // the build is done and made a new library
  buildFailed,   // the line says why
  newMusic,      // the music is in the folder's music file
  musicFailed,   // the line says why
};

class showRebuild {
 public:
  showBuildFolder folder;
  backgroundJob build;         // the step building now
  bool buildingSynth = false;  // which target it is building
  bool again = false;          // the sources changed while it built
  // The synthesizer is built once the new library is on screen, so that
  // its compilers do not slow the new scenes' first frame.
  bool synthWaits = false;
  fileStamp library;           // the library as last built
  backgroundJob music;
  fileStamp musicFrom;  // the synthesizer that made, or is making, the music
  // A step that could not even be started, told at the next poll.
  rebuildEvent unstarted = rebuildEvent::none;
  std::string unstartedLine;

  // Brings the whole build up to date before the show starts, waiting for
  // it: the line of its first error, or empty. A synthesizer that this
  // build made new starts making the music.
  std::string buildAtStart();
  // Starts building the library, or again once the build running ends.
  void sourcesChanged();
  // What has happened since the last call: one event at a time, until none.
  rebuildEvent poll(std::string* line);
  // The new library has drawn its first frame, or failed to: the
  // synthesizer's build, held back for it, starts.
  void newLibraryShown();
  // Stops the build and the music being made.
  void stop();

  void startBuild(const char* target);
  void startMusic(const fileStamp& synthesizer);
  // The first error of the last build's output.
  std::string errorLine(int status) const;
};
