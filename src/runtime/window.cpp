#include "runtime/window.h"

#include <GLFW/glfw3.h>

GLFWwindow* demoWindow = nullptr;

GLFWwindow* openDemoWindow(bool fullscreen) {
  glfwWindowHint(GLFW_RED_BITS, 8);
  glfwWindowHint(GLFW_GREEN_BITS, 8);
  glfwWindowHint(GLFW_BLUE_BITS, 8);
  glfwWindowHint(GLFW_ALPHA_BITS, 8);
  glfwWindowHint(GLFW_DEPTH_BITS, 8);
  glfwWindowHint(GLFW_STENCIL_BITS, 8);
  GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
  GLFWwindow* window = glfwCreateWindow(kWindowWidth, kWindowHeight, "vorlane", monitor, nullptr);
  // Without a window there is no context, and GLEW's start-up reports that.
  glfwMakeContextCurrent(window);
#ifndef __EMSCRIPTEN__
  // In the browser the page hides the pointer once the show starts.
  if (window) glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
#endif
  return window;
}
