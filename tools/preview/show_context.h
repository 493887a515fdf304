#pragma once
// A GL context of the show's own on the preview's window. Each version of
// the show's code gets a new one: it starts from the GL's defaults, as the
// demo does, and everything that version made (render targets, textures,
// shaders, glyphs) goes with its context, whatever the code made.

struct GLFWwindow;

class showContext {
 public:
  void* handle = nullptr;  // the window system's context; null if refused
};

// A new context for the window's framebuffer, made current.
showContext makeShowContext(GLFWwindow* window);
// Draws with `context` into the window from now on.
void makeShowContextCurrent(GLFWwindow* window, const showContext& context);
// Frees the context and every GL object in it; it must not be current.
void destroyShowContext(const showContext& context);
