#include "runtime/quit.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

#include "runtime/audio_state.h"

void quitDemo() {
  glfwTerminate();
  audioState.sound.release();
  audioState.system->close();
  audioState.system->release();
  exit(0);
}
