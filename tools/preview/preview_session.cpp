#include "preview_session.h"

#include <GLFW/glfw3.h>

#include <cstdio>

#include "preview_title.h"
#include "runtime/audio_state.h"
#include "runtime/quit.h"
#include "runtime/quit_signals.h"
#include "runtime/scene_files.h"
#include "runtime/window.h"

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
  // A loop follows the scene that is showing.
  if (state.looping) loopSceneShowing(&state);
}

void previewSession::press(int key, int mods) {
  // The channel may have played to its end since the frame began.
  readClock();
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
      quitDemo();
    case previewAction::none:
      break;
  }
}

void previewSession::reloadChangedFiles() {
  std::vector<std::string> changed = watch.changedFiles();
  if (changed.empty()) return;
  std::string failure;
  for (const std::string& file : changed) {
    std::string line = reloadSceneFile(scenes, file);
    if (!line.empty()) failure = line;
  }
  reloadLine = failure;
  fflush(stdout);
}

void previewSession::run() {
  lastFrame = glfwGetTime();
  for (;;) {
    double now = glfwGetTime();
    if (now - lastLook >= kLookEvery) {
      lastLook = now;
      reloadChangedFiles();
    }
    readClock();
    if (state.looping && state.positionMs >= state.loopEndMs) moveTo(state.loopStartMs);
    unsigned ms = state.positionMs;
    drawFrame(scenes, true, [ms] { return musicSeconds(ms); });
    glfwSetWindowTitle(demoWindow, previewTitle(state, now - lastFrame, reloadLine).c_str());
    lastFrame = now;
    glfwSwapBuffers(demoWindow);
    glfwPollEvents();
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
