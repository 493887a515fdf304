// vorlane-preview: the show with its music in a window, for working on it.
// It moves through the show, pauses and loops at a key, loads again a
// picture, a shader or a font as soon as it changes, and builds and loads
// the show's code again, and remakes its music, as soon as its sources
// change (preview_session.h).

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "crash_guard.h"
#include "preview_session.h"
#include "runtime/audio_state.h"
#include "runtime/quit.h"
#include "runtime/quit_signals.h"
#include "runtime/window.h"

namespace {

const char* const kUsage =
    "usage: vorlane-preview [--at T] [--show-build DIR]\n"
    "Plays the show with its music in a window that may be resized, from the start\n"
    "or from T seconds. It reads the show's files from its sources and loads a\n"
    "picture, a shader or a font again as soon as it changes; when the scenes, the\n"
    "schedule, the toolkit or the synthesizer change, it builds them again, loads\n"
    "the new code at the same moment and remakes the music. Its build of the show\n"
    "is the one made with it, or DIR (cmake -S SOURCES -B DIR -DVORLANE_PREVIEW_SHOW=ON).\n"
    "It runs under an X display.\n"
    "  Space         pause and resume\n"
    "  Left, Right   a second back or on (with Shift, a tenth)\n"
    "  , and .       a frame of 1/60 s back or on, while paused\n"
    "  Home          back to 0\n"
    "  1, 2, 3       the start of the opening, the word slam, the scroller\n"
    "  L             loop the scene showing, until L again\n"
    "  Escape        quit\n"
    "The title shows the time, the scene, paused or looping, the frame time, what is\n"
    "being built or made, and the line of what did not load or build.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
    printf("%s", kUsage);
    return 0;
  }
  double at = 0;
  showBuildFolder folder{VORLANE_SHOW_BUILD};
  for (int i = 1; i < argc; i += 2) {
    bool valued = i + 1 < argc;
    if (valued && !strcmp(argv[i], "--at") && (at = atof(argv[i + 1])) >= 0) continue;
    if (valued && !strcmp(argv[i], "--show-build")) {
      folder.path = std::filesystem::absolute(argv[i + 1]).lexically_normal().string();
      continue;
    }
    printf("%s", kUsage);
    return 2;
  }
  if (!folder.configured() || chdir(folder.files().c_str()) != 0) {
    printf("vorlane-preview: %s is not a build of the show\n", folder.path.c_str());
    return 1;
  }
  releaseAtExit();
  catchQuitSignals();
  if (glfwInit() != GLFW_TRUE || !(demoWindow = openDemoWindow(false)) || glewInit() != GLEW_OK) {
    printf("vorlane-preview: no X display or no OpenGL 2\n");
    return 1;
  }
  // A tool among others on the desktop: the pointer stays visible.
  glfwSetInputMode(demoWindow, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
  installCrashGuard();
  // The music decodes while the show's code is built and loaded.
  audioInit("data/vorlane.mp3");
  previewSession session(folder);
  glfwSetWindowTitle(demoWindow, "vorlane-preview | building");
  // Ended here, not by a return: the session's jobs are stopped at exit.
  if (!session.open()) quitDemo(1);
  glfwSetWindowUserPointer(demoWindow, &session);
  glfwSetKeyCallback(demoWindow, previewKeyAdapter);
  glfwSetWindowRefreshCallback(demoWindow, previewRefreshAdapter);
  glfwSetFramebufferSizeCallback(demoWindow, previewResizeAdapter);
  session.start(unsigned(std::llround(at * 1000)));
  session.run();
}
