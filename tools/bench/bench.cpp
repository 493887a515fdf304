// vorlane-bench: what the show costs, beside the cheapest frame the machine
// can draw, and how long the demo takes to start.
//
// Prints, for each scene, the median and 95th-percentile time of one frame
// (drawn, swapped and finished) over frames spread evenly through the
// scene's time, and the same for the floor: a frame that only clears the
// window and presents one empty half-float target. The ratios to the floor
// are what to compare between runs; absolute times vary between machines.
// Also the start-up time to the first swapped frame with every load done,
// the peak resident memory, and the glyphs tessellated and GL objects
// created per frame once each scene has drawn its first frame.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "gl_object_probe.h"
#include "render/render_target.h"
#include "render/text_face.h"
#include "runtime/audio_state.h"
#include "runtime/demo_frame.h"
#include "runtime/window.h"
#include "schedule/schedule.h"

namespace {

using benchClock = std::chrono::steady_clock;

double millisecondsSince(benchClock::time_point start) {
  return std::chrono::duration<double, std::milli>(benchClock::now() - start).count();
}

class frameCost {
 public:
  const char* name;
  std::vector<double> milliseconds;
  double glyphsPerFrame = 0;
  double objectsPerFrame = 0;

  double percentile(double p) const {
    std::vector<double> sorted = milliseconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, size_t(p * sorted.size()))];
  }
};

// Times `frames` calls of `draw`, each followed by the swap and a glFinish;
// `draw` gets the frame's index. The first, untimed call fills the caches.
frameCost measure(const char* name, int frames, const std::function<void(int)>& draw) {
  frameCost cost{name, {}};
  draw(0);
  glfwSwapBuffers(demoWindow);
  glFinish();
  unsigned long glyphs = tessellatedGlyphCount();
  glObjectProbe objects;
  objects.mark();
  for (int i = 0; i < frames; ++i) {
    benchClock::time_point start = benchClock::now();
    draw(i);
    glfwSwapBuffers(demoWindow);
    glFinish();
    cost.milliseconds.push_back(millisecondsSince(start));
    glfwPollEvents();
  }
  cost.glyphsPerFrame = double(tessellatedGlyphCount() - glyphs) / frames;
  cost.objectsPerFrame = double(objects.createdSinceMark()) / frames;
  return cost;
}

void printRow(const frameCost& cost, const frameCost& floor) {
  double median = cost.percentile(0.5), p95 = cost.percentile(0.95);
  printf("%-10s %9.3f %9.3f %9.2f %9.2f %12.2f %12.2f\n", cost.name, median, p95, median / floor.percentile(0.5),
         p95 / floor.percentile(0.95), cost.glyphsPerFrame, cost.objectsPerFrame);
}

void printReport(int frames, const frameCost& floor, const std::vector<frameCost>& costs, double startup) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  printf("vorlane-bench: %d frames each at %d x %d on %s\n", frames, kWindowWidth, kWindowHeight,
         reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  printf("%-10s %9s %9s %9s %9s %12s %12s\n", "frame", "median ms", "p95 ms", "x floor", "p95 x fl", "glyphs/frame",
         "GL objs/frm");
  printRow(floor, floor);
  for (const frameCost& cost : costs) printRow(cost, floor);
  printf("start-up to the first frame: %.1f ms\n", startup);
  printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  benchClock::time_point processStart = benchClock::now();
  int frames = 240;
  if (argc == 3 && !strcmp(argv[1], "--frames")) {
    frames = std::max(1, atoi(argv[2]));
  } else if (argc != 1) {
    printf("usage: vorlane-bench [--frames N]\n"
           "Run in the demo's folder under an X display. Measures N frames (240 by\n"
           "default) of each scene and of the floor frame, and the start-up time.\n");
    return argc == 2 && !strcmp(argv[1], "--help") ? 0 : 2;
  }
  // The music is decoded as the demo does, but never played.
  setenv("ALSOFT_DRIVERS", "null", 1);

  if (glfwInit() != GLFW_TRUE || !(demoWindow = openDemoWindow(false)) || glewInit() != GLEW_OK) {
    printf("vorlane-bench: no X display or no OpenGL 2\n");
    return 1;
  }
  audioInit("data/vorlane.mp3");
  demoScenes scenes = buildScenes();
  setFixedState();
  drawFrame(scenes, false, [] { return 0.0f; });
  glfwSwapBuffers(demoWindow);
  glFinish();
  double startup = millisecondsSince(processStart);

  renderTarget floorTarget(kWindowWidth, kWindowHeight, 0, 0, 0);
  frameCost floor = measure("floor", frames, [&](int) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    floorTarget.begin();
    floorTarget.end();
    glColor4f(1, 1, 1, 1);
    floorTarget.present();
  });
  // The floor's target leaves its projection; the scenes set their own.
  setFixedState();

  struct {
    const char* name;
    double from, to;
  } ranges[] = {{"opening", 0, kWordSlamStart},
                {"word-slam", kWordSlamStart, kScrollerStart},
                {"scroller", kScrollerStart, kScrollerFadeOutEnd}};
  std::vector<frameCost> costs;
  for (const auto& range : ranges) {
    costs.push_back(measure(range.name, frames, [&](int i) {
      float t = float(range.from + (i + 0.5) * (range.to - range.from) / frames);
      drawFrame(scenes, true, [t] { return t; });
    }));
  }

  printReport(frames, floor, costs, startup);
  audioState.system->release();
  return 0;
}
