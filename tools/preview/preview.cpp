// vorlane-preview: the show with its music in a window, for working on it.
// It moves through the show, pauses and loops at a key, and loads again a
// picture, a shader or a font as soon as it changes (preview_session.h).

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "preview_session.h"
#include "runtime/audio_state.h"
#include "runtime/quit.h"
#include "runtime/quit_signals.h"
#include "runtime/window.h"

namespace {

const char* const kUsage =
    "usage: vorlane-preview [--at T]\n"
    "Plays the show with its music in a window that may be resized, from the start\n"
    "or from T seconds, and loads a picture, a shader or a font again as soon as it\n"
    "changes. Run it in the demo's folder, under an X display.\n"
    "  Space         pause and resume\n"
    "  Left, Right   a second back or on (with Shift, a tenth)\n"
    "  , and .       a frame of 1/60 s back or on, while paused\n"
    "  Home          back to 0\n"
    "  1, 2, 3       the start of the opening, the word slam, the scroller\n"
    "  L             loop the scene showing, until L again\n"
    "  Escape        quit\n"
    "The title shows the time, the scene, paused or looping, the frame time and the\n"
    "line of a file that did not load again.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
    printf("%s", kUsage);
    return 0;
  }
  double at = argc == 3 ? atof(argv[2]) : 0;
  if (argc != 1 && !(argc == 3 && !strcmp(argv[1], "--at") && at >= 0)) {
    printf("%s", kUsage);
    return 2;
  }
  releaseAtExit();
  catchQuitSignals();
  if (glfwInit() != GLFW_TRUE || !(demoWindow = openDemoWindow(false)) || glewInit() != GLEW_OK) {
    printf("vorlane-preview: no X display or no OpenGL 2\n");
    return 1;
  }
  // A tool among others on the desktop: the pointer stays visible.
  glfwSetInputMode(demoWindow, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
  audioInit("data/vorlane.mp3");
  previewSession session(buildScenes());
  setFixedState();
  glfwSetWindowUserPointer(demoWindow, &session);
  glfwSetKeyCallback(demoWindow, previewKeyAdapter);
  session.start(unsigned(std::llround(at * 1000)));
  session.run();
}
