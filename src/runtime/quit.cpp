#include "runtime/quit.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

#include "runtime/audio_state.h"
#include "runtime/window.h"

void releaseDesktopAndAudio() {
  // The window goes with GLFW: a crash from here on has no mode to put back.
  demoWindow = nullptr;
  // Harmless when GLFW is not running: it returns at once.
  glfwTerminate();
  if (!audioState.system) return;
  audioState.sound.release();
  audioState.system->close();
  audioState.system->release();
  audioState.system = nullptr;
}

void releaseAtExit() { atexit(releaseDesktopAndAudio); }

void quitDemo(int status) {
  releaseDesktopAndAudio();
  exit(status);
}
