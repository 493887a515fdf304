#include "preview_session.h"

#include <GLFW/glfw3.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "preview_title.h"
#include "runtime/audio_state.h"
#include "runtime/quit.h"
#include "runtime/quit_signals.h"
#include "runtime/window.h"
#include "synth_music.h"

namespace {

previewSession* runningSession = nullptr;

// Whatever ends the process, a build or a synthesizer it started ends too.
void stopBackgroundJobs() { runningSession->rebuild.stop(); }

void say(const std::string& line) {
  printf("%s\n", line.c_str());
  fflush(stdout);
}

}  // namespace

previewSession::previewSession(const showBuildFolder& folder)
    : sceneFiles(".", kSceneFiles), sources(folder.sourceRoot(), kShowSources) {
  sources.waitsToSettle = false;
  rebuild.folder = folder;
  runningSession = this;
  atexit(stopBackgroundJobs);
}

bool previewSession::open() {
  codeLine = rebuild.buildAtStart();
  if (!codeLine.empty()) say(codeLine);
  // A build that failed leaves the last library that built, if any.
  if (!stampOf(rebuild.folder.library()).exists) return false;
  loadNewShow();
  return trial.library != nullptr;
}

void previewSession::start(unsigned ms) {
  audioState.started = true;
  audioCheck(audioState.sound.getLength(&state.lengthMs, audio::kTimeUnitMs));
  playFrom(ms < state.lengthMs ? ms : state.lengthMs, false);
}

void previewSession::playFrom(unsigned ms, bool paused) {
  // Started paused and then moved, the music is never heard from 0.
  audioCheck(audioState.system->playSound(audio::kChannelFree, audioState.sound, true, &audioState.channel));
  audioCheck(audioState.channel.setPosition(ms, audio::kTimeUnitMs));
  if (!paused) audioCheck(audioState.channel.setPaused(false));
  state.paused = paused;
  state.positionMs = ms;
  pictureStale = true;
}

void previewSession::readClock() {
  unsigned ms = 0;
  int result = audioState.channel.getPosition(&ms, audio::kTimeUnitMs);
  if (result != audio::kErrInvalidHandle) {
    audioCheck(result);
    state.positionMs = ms;
    return;
  }
  if (state.looping)
    playFrom(state.loopStartMs, false);
  else
    playFrom(state.lengthMs, true);
}

void previewSession::moveTo(unsigned ms) {
  audioCheck(audioState.channel.setPosition(ms, audio::kTimeUnitMs));
  state.positionMs = ms;
  pictureStale = true;
  // A loop follows the scene that is showing.
  if (state.looping) loopSceneShowing(&state);
}

void previewSession::press(int key, int mods) {
  // The channel may have played to its end since the frame began.
  readClock();
  pictureStale = true;
  previewCommand command = commandForKey(key, mods, state);
  switch (command.action) {
    case previewAction::pause:
      audioCheck(audioState.channel.setPaused(!state.paused));
      state.paused = !state.paused;
      readClock();
      break;
    case previewAction::move:
      moveTo(command.toMs);
      break;
    case previewAction::loop:
      state.looping = !state.looping;
      if (state.looping) loopSceneShowing(&state);
      break;
    case previewAction::quit:
      // Called from GLFW's key callback, which must not terminate GLFW: the
      // frame loop quits once the events are handled.
      glfwSetWindowShouldClose(demoWindow, GLFW_TRUE);
      break;
    case previewAction::none:
      break;
  }
}

void previewSession::lookAtFiles() {
  std::vector<std::string> changed = sceneFiles.changedFiles();
  // A version on trial is the one whose context is current.
  const loadedShow& current = trial.library ? trial : shown;
  if (!changed.empty()) {
    std::string failure;
    for (const std::string& file : changed) {
      std::string line = current.api->reloadFile(current.scenes, file);
      if (!line.empty()) failure = line;
    }
    fileLine = failure;
    pictureStale = true;
    fflush(stdout);
  }
  if (!sources.changedFiles().empty()) rebuild.sourcesChanged();
}

void previewSession::followRebuild() {
  std::string line;
  for (rebuildEvent event; (event = rebuild.poll(&line)) != rebuildEvent::none;) {
    switch (event) {
      case rebuildEvent::libraryBuilt:
        codeLine.clear();
        break;
      case rebuildEvent::newLibrary:
        loadNewShow();
        break;
      case rebuildEvent::buildFailed:
        codeLine = line;
        say(line);
        break;
      case rebuildEvent::newMusic:
        playNewMusic();
        break;
      case rebuildEvent::musicFailed:
        musicLine = line;
        say(line);
        break;
      case rebuildEvent::none:
        break;
    }
  }
}

void previewSession::loadNewShow() {
  loadedShow next;
  std::string line = openShowLibrary(rebuild.folder.library(), &next);
  if (line.empty()) {
    next.context = makeShowContext(demoWindow);
    if (!next.context.handle) line = "error: the window system gave the new code no GL context";
  }
  if (!line.empty()) {
    if (next.library) closeShowLibrary(&next);
    codeLine = line;
    say(line);
    rebuild.newLibraryShown();
    return;
  }
  guardedRun run = runGuarded([&next] { next.scenes = next.api->build(exitFromGuardedRun); });
  if (run.failed()) {
    rollBack(&next, run, "building its scenes");
    return;
  }
  trial = next;
}

void previewSession::drawShow(unsigned ms) {
  float t = musicSeconds(ms);
  if (trial.library) {
    guardedRun run = runGuarded([this, t] { trial.api->draw(trial.scenes, t); });
    if (!run.failed()) {
      showTrial();
      return;
    }
    rollBack(&trial, run, "in its first frame");
  }
  shown.api->draw(shown.scenes, t);
}

void previewSession::showTrial() {
  // Everything the version before made goes: what its scenes hold on the
  // heap, freed in its own context, then the context with every GL object
  // in it.
  if (shown.library) {
    makeShowContextCurrent(demoWindow, shown.context);
    shown.api->release(shown.scenes);
    makeShowContextCurrent(demoWindow, trial.context);
    destroyShowContext(shown.context);
    closeShowLibrary(&shown);
  }
  shown = trial;
  trial = loadedShow();
  // The keys and the title follow the new timeline.
  state.sceneAt = shown.api->sceneAt;
  if (state.looping) loopSceneShowing(&state);
  codeLine.clear();
  rebuild.newLibraryShown();
  // The old context's pictures and render targets were freed in the
  // middle of the heap, where the allocator would keep them: give those
  // pages back.
  malloc_trim(0);
}

void previewSession::rollBack(loadedShow* failed, const guardedRun& failure, const char* step) {
  if (!shown.library) {
    say("vorlane-preview: the show's code " + failure.what() + " " + step);
    quitDemo(1);
  }
  makeShowContextCurrent(demoWindow, shown.context);
  destroyShowContext(failed->context);
  // Its library stays loaded: unloading would run code that has just
  // failed.
  *failed = loadedShow();
  codeLine = "the new code " + failure.what() + " " + step + "; the code before it goes on";
  say(codeLine);
  rebuild.newLibraryShown();
}

void previewSession::playNewMusic() {
  synthTrack track;
  audio::Sound fresh;
  if (!readSynthTrack(rebuild.folder.music(), &track) ||
      audioState.system->createSoundFromSamples(track.samples.data(), track.samples.size() / size_t(track.channels),
                                                track.channels, track.rate, &fresh) != audio::kOk) {
    musicLine = "error: the new music in " + rebuild.folder.music() + " cannot be played";
    say(musicLine);
    return;
  }
  readClock();
  audio::Sound old = audioState.sound;
  audioState.sound = fresh;
  audioCheck(fresh.getLength(&state.lengthMs, audio::kTimeUnitMs));
  playFrom(std::min(state.positionMs, state.lengthMs), state.paused);
  old.release();
  musicLine.clear();
}

std::vector<std::string> previewSession::titleNotes() const {
  std::vector<std::string> notes;
  if (!fileLine.empty()) notes.push_back(fileLine);
  if (rebuild.build.active())
    notes.push_back("building");
  else if (!codeLine.empty())
    notes.push_back(codeLine);
  if (rebuild.music.active())
    notes.push_back("new music coming");
  else if (!musicLine.empty())
    notes.push_back(musicLine);
  return notes;
}

void previewSession::run() {
  bool drewLast = false;
  for (;;) {
    double now = glfwGetTime();
    if (now - lastLook >= kLookEvery) {
      lastLook = now;
      lookAtFiles();
    }
    followRebuild();
    readClock();
    if (state.looping && state.positionMs >= state.loopEndMs) moveTo(state.loopStartMs);
    // While the show's code builds, its frames make way for the compiler.
    bool due = !rebuild.build.active() || now - lastFrame >= kFrameWhileBuilding;
    bool draw = ((!state.paused && due) || pictureStale || trial.library);
    if (draw) {
      drawShow(state.positionMs);
      if (drewLast) frameSeconds = now - lastFrame;
      lastFrame = now;
      pictureStale = false;
    }
    drewLast = draw;
    std::string title = previewTitle(state, frameSeconds, titleNotes());
    if (title != shownTitle) glfwSetWindowTitle(demoWindow, title.c_str());
    shownTitle = title;
    if (draw) {
      glfwSwapBuffers(demoWindow);
      glfwPollEvents();
    } else {
      // A job that ends is acted on at once.
      bool jobs = rebuild.build.active() || rebuild.music.active();
      glfwWaitEventsTimeout(jobs ? kJobLookEvery : kLookEvery);
    }
    if (glfwWindowShouldClose(demoWindow)) quitDemo();
    if (int signal = quitSignalCaught()) quitDemo(signalExitStatus(signal));
  }
}

void previewKeyAdapter(GLFWwindow* window, int key, int, int action, int mods) {
  if (action == GLFW_RELEASE) return;
  // Holding an arrow or a frame step repeats it; holding the others does not.
  bool repeats = key == GLFW_KEY_LEFT || key == GLFW_KEY_RIGHT || key == GLFW_KEY_COMMA || key == GLFW_KEY_PERIOD;
  if (action == GLFW_REPEAT && !repeats) return;
  static_cast<previewSession*>(glfwGetWindowUserPointer(window))->press(key, mods);
}

void previewRefreshAdapter(GLFWwindow* window) {
  static_cast<previewSession*>(glfwGetWindowUserPointer(window))->pictureStale = true;
}

void previewResizeAdapter(GLFWwindow* window, int, int) { previewRefreshAdapter(window); }
