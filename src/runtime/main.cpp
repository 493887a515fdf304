// vorlane: start-up. Makes sure every way out gives the desktop and the
// sound device back and keeps a failure in sight, opens the window, loads
// GL's entry points and checks that the GL has what the show needs, installs
// the keys, prepares the music and hands over to the frame loop.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <string>

#include "render/gl_capabilities.h"
#include "runtime/audio_state.h"
#include "runtime/crash_signals.h"
#include "runtime/demo_loop.h"
#include "runtime/failure_box.h"
#include "runtime/key_callback.h"
#include "runtime/quit.h"
#include "runtime/quit_signals.h"
#include "runtime/window.h"

int main() {
  showFailureAtExit();
  releaseAtExit();
  catchQuitSignals();
  catchCrashSignals();
#ifdef GLFW_PLATFORM_X11
  // GLEW needs a GLX context, which a Wayland desktop gives through XWayland.
  glfwInitHint(GLFW_PLATFORM, GLFW_PLATFORM_X11);
#endif
  if (glfwInit() != GLFW_TRUE) {
    printf("Error initializing glfw (no you are not getting a decent errorcode) ;) glhf.\n");
    return 0;
  }
  demoWindow = openDemoWindow(fullscreenFlag);
  if (glewInit() != GLEW_OK) {
    printf("Error initializing GLEW (no you are not getting a decent errorcode) ;) glhf.\n");
    return 0;
  }
  // Checked before any scene is built: the first call the GL lacks would crash.
  std::string glLacks = glCannotShowLine();
  if (!glLacks.empty()) {
    printf("%s\n", glLacks.c_str());
    return 0;
  }
  glfwSetKeyCallback(demoWindow, glfwKeyAdapter);
  audioInit("data/vorlane.mp3");
  demoLoop();
}
