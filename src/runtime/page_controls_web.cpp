// What the page asks of the show in a browser: its start and its end, which
// the desktop takes from the Up and Escape keys alone, and a frame drawn for
// a given time without the music, for the tests.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <emscripten.h>

#include <cstring>
#include <vector>

#include "runtime/demo_loop.h"
#include "runtime/key_callback.h"
#include "runtime/quit.h"
#include "runtime/window.h"

extern "C" {

// A click or a tap starts the show as the release of Up does.
EMSCRIPTEN_KEEPALIVE void vorlaneStart() { keyCallback(GLFW_KEY_UP, GLFW_RELEASE); }

// Leaving the browser's fullscreen ends the show as Escape does. The page
// calls this outside any GLFW callback, so it can end at once.
EMSCRIPTEN_KEEPALIVE void vorlaneEnd() { quitDemo(); }

// The frame for music time `t` as vorlane-capture --at draws it, after the
// frame a sixtieth of a second before, as RGBA rows from the top.
EMSCRIPTEN_KEEPALIVE const unsigned char* vorlaneFrameAt(double t) {
  static std::vector<unsigned char> rgba(size_t(kWindowWidth) * kWindowHeight * 4);
  for (double at : {t - 1.0 / 60, t}) {
    float seconds = float(at);
    drawFrame(shownScenes, at >= 0, [seconds] { return seconds; });
  }
  std::vector<unsigned char> bottomUp(rgba.size());
  glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  size_t row = size_t(kWindowWidth) * 4;
  for (int y = 0; y < kWindowHeight; ++y)
    memcpy(&rgba[y * row], &bottomUp[(kWindowHeight - 1 - y) * row], row);
  return rgba.data();
}

}  // extern "C"
