#include "show_rebuild.h"

#include <fstream>
#include <iterator>

#include "build_errors.h"

namespace {

std::string textOf(const std::string& path) {
  std::ifstream file(path);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace

std::string showRebuild::buildAtStart() {
  fileStamp synthBefore = stampOf(folder.synthesizer());
  std::string line;
  std::vector<std::string> command = folder.buildCommand(nullptr);
  if (!build.start(command, folder.buildLog()))
    line = "error: cannot run " + command[0];
  else if (int status = build.wait())
    line = errorLine(status);
  library = stampOf(folder.library());
  fileStamp synth = stampOf(folder.synthesizer());
  // The music at the start is the repository's, made by the synthesizer as
  // it was before this build.
  musicFrom = synthBefore;
  if (line.empty() && !(synth == synthBefore)) startMusic(synth);
  return line;
}

void showRebuild::sourcesChanged() {
  if (build.active())
    again = true;
  else
    startBuild(kShowLibraryTarget);
}

rebuildEvent showRebuild::poll(std::string* line) {
  if (unstarted != rebuildEvent::none) {
    *line = unstartedLine;
    rebuildEvent event = unstarted;
    unstarted = rebuildEvent::none;
    return event;
  }
  int status = 0;
  if (build.active() && build.ended(&status)) {
    // Built from sources that have changed since: build them instead.
    if (again) {
      again = false;
      startBuild(kShowLibraryTarget);
      return rebuildEvent::none;
    }
    if (status != 0) {
      *line = errorLine(status);
      return rebuildEvent::buildFailed;
    }
    if (buildingSynth) {
      fileStamp synth = stampOf(folder.synthesizer());
      if (!(synth == musicFrom)) startMusic(synth);
      return rebuildEvent::none;
    }
    fileStamp built = stampOf(folder.library());
    if (built == library) {
      startBuild(kSynthTarget);
      return rebuildEvent::libraryBuilt;
    }
    library = built;
    synthWaits = true;
    return rebuildEvent::newLibrary;
  }
  if (music.active() && music.ended(&status)) {
    if (status == 0) return rebuildEvent::newMusic;
    *line = "error: the synthesizer ended with status " + std::to_string(status) + " (" + folder.musicLog() + ")";
    return rebuildEvent::musicFailed;
  }
  return rebuildEvent::none;
}

void showRebuild::newLibraryShown() {
  if (!synthWaits) return;
  synthWaits = false;
  // Sources changed since are built first, and the synthesizer after them.
  if (!build.active()) startBuild(kSynthTarget);
}

void showRebuild::stop() {
  build.stop();
  music.stop();
}

void showRebuild::startBuild(const char* target) {
  buildingSynth = target == kSynthTarget;
  std::vector<std::string> command = folder.buildCommand(target);
  if (build.start(command, folder.buildLog())) return;
  unstarted = rebuildEvent::buildFailed;
  unstartedLine = "error: cannot run " + command[0];
}

void showRebuild::startMusic(const fileStamp& synthesizer) {
  // Music from an older synthesizer is not worth finishing.
  music.stop();
  musicFrom = synthesizer;
  std::vector<std::string> command = folder.musicCommand();
  if (music.start(command, folder.musicLog())) return;
  unstarted = rebuildEvent::musicFailed;
  unstartedLine = "error: cannot run " + command[0];
}

std::string showRebuild::errorLine(int status) const {
  return firstErrorLine(textOf(folder.buildLog()), folder.sourceRoot(), status);
}
