#include "runtime/key_callback.h"

#include <GLFW/glfw3.h>

#include "runtime/audio_state.h"
#include "runtime/quit.h"

void keyCallback(int key, int action) {
  if (action != GLFW_RELEASE) return;
  if (key == GLFW_KEY_ESCAPE) quitDemo();
  if (key == GLFW_KEY_UP && !audioState.started) {
    audioState.started = true;
    audioState.system->playSound(audio::kChannelFree, audioState.sound, false, &audioState.channel);
  }
}

void glfwKeyAdapter(GLFWwindow*, int key, int, int action, int) { keyCallback(key, action); }
