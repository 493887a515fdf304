#include "capture_window.h"

#include <GLFW/glfw3.h>

namespace {

// X grants a size asynchronously; a second is plenty on an idle server.
constexpr double kResizeSeconds = 2;

}  // namespace

bool resizeWindow(GLFWwindow* window, int width, int height) {
  glfwSetWindowSize(window, width, height);
  double deadline = glfwGetTime() + kResizeSeconds;
  for (;;) {
    int shownWidth = 0, shownHeight = 0;
    glfwGetFramebufferSize(window, &shownWidth, &shownHeight);
    if (shownWidth == width && shownHeight == height) {
      // Mesa's buffers take the window's new size at the next swap; the
      // video draws without one.
      glfwSwapBuffers(window);
      return true;
    }
    if (glfwGetTime() > deadline) return false;
    glfwWaitEventsTimeout(0.01);
  }
}
