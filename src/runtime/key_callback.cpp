#include "runtime/key_callback.h"

#include <GLFW/glfw3.h>

#include "runtime/audio_state.h"
#include "runtime/window.h"

void keyCallback(int key, int action) {
  if (action != GLFW_RELEASE) return;
  // GLFW must not be terminated from inside its own callback: the frame
  // loop ends the demo after the events, as for a close request.
  if (key == GLFW_KEY_ESCAPE) glfwSetWindowShouldClose(demoWindow, GLFW_TRUE);
  if (key == GLFW_KEY_UP && !audioState.started) {
    audioState.started = true;
    audioState.system->playSound(audio::kChannelFree, audioState.sound, false, &audioState.channel);
  }
}

void glfwKeyAdapter(GLFWwindow*, int key, int, int action, int) { keyCallback(key, action); }
