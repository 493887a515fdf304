// vorlane-capture: renders the show without the music clock, to PNG frames
// or to a video with the music. Each frame is the demo's own frame, drawn
// for a time from a fixed-step clock (show_capture.h).

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "capture_request.h"
#include "capture_window.h"
#include "frame_image.h"
#include "reference_pictures.h"
#include "runtime/window.h"
#include "show_capture.h"

namespace {

const char* const kUsage =
    "usage: vorlane-capture --at T --out FILE.png [--fps N]\n"
    "       vorlane-capture --from A --to B --out DIR [--fps N]\n"
    "       vorlane-capture --video FILE.mp4 [--fps N] [--size WxH]\n"
    "       vorlane-capture --references DIR\n"
    "Renders the show's frames for music times in seconds (a time before 0 is the\n"
    "black frame before the music starts): one frame, numbered frames\n"
    "DIR/frame_00000.png from A to B, or the whole show as a video with the music\n"
    "(needs ffmpeg). N frames a second, 60 by default. The frames are those of a\n"
    "window of W x H, 1280 x 720 by default, the picture scaled as the demo scales\n"
    "it to a screen of that size (--size also goes with --at and --from). Run it in\n"
    "the demo's folder, under an X display at least that large. --references writes\n"
    "the picture test's reduced pictures of the whole show into DIR.\n";

}  // namespace

int main(int argc, char** argv) {
  captureRequest request;
  if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
    printf("%s", kUsage);
    return 0;
  }
  if (!parseCaptureRequest(argc, argv, &request)) {
    printf("%s", kUsage);
    return 2;
  }
  GLFWwindow* window = nullptr;
  if (glfwInit() != GLFW_TRUE || !(window = openDemoWindow(false)) || glewInit() != GLEW_OK) {
    printf("vorlane-capture: no X display or no OpenGL 2\n");
    return 1;
  }
  if (!resizeWindow(window, request.width, request.height)) {
    printf("vorlane-capture: the X display cannot hold a %d x %d window\n", request.width, request.height);
    return 1;
  }
  showCapture c{buildScenes(), 1 / request.fps, request.width, request.height};
  setFixedState();

  if (!request.video.empty()) return writeVideo(c, request.video, request.fps);
  if (!request.references.empty()) return writeReferences(c, request.references);
  if (!std::isnan(request.at)) {
    c.frameAt(request.at - c.step);
    if (!writeFramePng(request.out, c.frameAt(request.at), c.width, c.height)) {
      printf("vorlane-capture: cannot write %s\n", request.out.c_str());
      return 1;
    }
    return 0;
  }
  return writeRange(c, request.from, request.to, request.out);
}
