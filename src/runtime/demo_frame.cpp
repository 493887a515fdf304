#include "runtime/demo_frame.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "runtime/picture_area.h"
#include "runtime/timeline.h"
#include "runtime/window.h"

demoScenes buildScenes() {
  demoScenes scenes;
  scenes.opening = new scene0EFX(kWindowWidth, kWindowHeight, "font.ttf");
  scenes.wordSlam = new velmoEFX(kWindowWidth, kWindowHeight, "BorisBlackBloxx.ttf");
  scenes.scroller = new scene2EFX(kWindowWidth, kWindowHeight, "BorisBlackBloxx.ttf");
  return scenes;
}

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

void drawFrame(const demoScenes& scenes, bool started, const std::function<float()>& musicTime) {
  // The clear colour is the last one set: black when no scene ran, else the
  // clear colour of the render target the last scene began. A scene fading
  // in is blended over that, not over black.
  int width = 0, height = 0;
  glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
  clearWindow(fitPicture(width, height), width, height);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  if (!started) return;
  float t = musicTime();
  switch (sceneAt(t)) {
    case sceneSlot::opening:
      scenes.opening->render(t);
      break;
    case sceneSlot::wordSlam:
      scenes.wordSlam->render(t);
      break;
    case sceneSlot::scroller:
      scenes.scroller->render(t);
      break;
    case sceneSlot::none:
      break;
  }
}
