#include "runtime/demo_loop.h"

#include <GLFW/glfw3.h>

#include "runtime/audio_state.h"
#include "runtime/frame_loop.h"
#include "runtime/quit.h"
#include "runtime/quit_signals.h"
#include "runtime/window.h"

demoScenes shownScenes;

namespace {

// The music's position in seconds. At the end of the track the channel is
// gone and the query fails: this is how the show ends.
float musicClock() {
  unsigned milliseconds = 0;
  audioCheck(audioState.channel.getPosition(&milliseconds, audio::kTimeUnitMs));
  return musicSeconds(milliseconds);
}

void showFrame() {
  drawFrame(shownScenes, audioState.started, musicClock);
  glfwSwapBuffers(demoWindow);
  glfwPollEvents();
  // Escape, or a close request from the window system (Alt+F4).
  if (glfwWindowShouldClose(demoWindow)) quitDemo();
  if (int signal = quitSignalCaught()) quitDemo(signalExitStatus(signal));
}

}  // namespace

void demoLoop() {
  shownScenes = buildScenes();
  setFixedState();
  runFrameLoop(showFrame);
}
