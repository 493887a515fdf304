// The show's contexts on X: made with GLX for the window GLFW opened, from
// the framebuffer configuration GLFW chose for its own context, so that
// GLFW's buffer swaps show what they draw.
#include "show_context.h"

#define GLFW_EXPOSE_NATIVE_X11
#define GLFW_EXPOSE_NATIVE_GLX
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

showContext makeShowContext(GLFWwindow* window) {
  Display* display = glfwGetX11Display();
  int configId = 0;
  glXQueryContext(display, glfwGetGLXContext(window), GLX_FBCONFIG_ID, &configId);
  const int wanted[] = {GLX_FBCONFIG_ID, configId, None};
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), wanted, &count);
  showContext context;
  if (!configs) return context;
  context.handle = glXCreateNewContext(display, configs[0], GLX_RGBA_TYPE, nullptr, True);
  XFree(configs);
  if (context.handle) makeShowContextCurrent(window, context);
  return context;
}

void makeShowContextCurrent(GLFWwindow* window, const showContext& context) {
  GLXWindow drawable = glfwGetGLXWindow(window);
  glXMakeContextCurrent(glfwGetX11Display(), drawable, drawable, static_cast<GLXContext>(context.handle));
}

void destroyShowContext(const showContext& context) {
  glXDestroyContext(glfwGetX11Display(), static_cast<GLXContext>(context.handle));
}
