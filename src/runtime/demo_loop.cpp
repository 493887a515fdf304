#include "runtime/demo_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "runtime/audio_state.h"
#include "runtime/quit.h"
#include "runtime/timeline.h"
#include "runtime/window.h"

namespace {

// GL state every scene relies on; set once, never changed by the loop.
void setFixedState() {
  glEnable(GL_DEPTH_TEST);
  // Each call replaces the one before: the tracked property that stays is the specular colour.
  glColorMaterial(GL_FRONT_AND_BACK, GL_EMISSION);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glColorMaterial(GL_FRONT_AND_BACK, GL_SPECULAR);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_NORMALIZE);
  // Every scene's final fade is blended over the window with this.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // Left is greater than right: the X axis is mirrored.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(0.5, -0.5, -0.5, 0.5, 1, 1000);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void demoLoop() {
  setFixedState();
  for (;;) {
    // The clear colour is the last one set: black when no scene ran, else
    // the clear colour of the render target the last scene began.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    if (audioState.started) {
      unsigned milliseconds = 0;
      // At the end of the track the channel is gone: this is how the show ends.
      audioCheck(audioState.channel.getPosition(&milliseconds, audio::kTimeUnitMs));
      float t = musicSeconds(milliseconds);
      switch (sceneAt(t)) {
        // The scenes fill these slots.
        case sceneSlot::opening:
        case sceneSlot::wordSlam:
        case sceneSlot::scroller:
        case sceneSlot::none:
          break;
      }
    }
    glfwSwapBuffers(demoWindow);
    glfwPollEvents();
    // A close request from the window system ends the demo as Escape does.
    if (glfwWindowShouldClose(demoWindow)) quitDemo();
  }
}
