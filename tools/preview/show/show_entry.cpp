// The preview's show library: the demo's scenes, schedule and toolkit, with
// the runtime's frame and file reloading around them, behind the table of
// show_api.h. Everything else in it is hidden (show_build.cmake).

#include <cstdlib>

#include "runtime/demo_frame.h"
#include "runtime/scene_files.h"
#include "runtime/timeline.h"
#include "show_api.h"

namespace {

// Where exit() goes first while the scenes are built.
void (*exitHook)(int status) = nullptr;

demoScenes* build(void (*onExit)(int status)) {
  exitHook = onExit;
  demoScenes* scenes = new demoScenes(buildScenes());
  setFixedState();
  exitHook = nullptr;
  return scenes;
}

void draw(const demoScenes* scenes, float musicSeconds) {
  drawFrame(*scenes, true, [musicSeconds] { return musicSeconds; });
}

std::string reloadFile(const demoScenes* scenes, const std::string& path) { return reloadSceneFile(*scenes, path); }

const showApi kShowApi = {kShowApiLayout, build, draw, reloadFile, sceneAt};

}  // namespace

extern "C" {

// The library is linked with --wrap=exit: the toolkit's exit() on a file it
// cannot load comes here, so that the preview can keep its session when a
// new version of the show fails to start.
[[noreturn]] void __real_exit(int status);
[[noreturn]] void __wrap_exit(int status) {
  if (exitHook) exitHook(status);
  __real_exit(status);
}

__attribute__((visibility("default"))) const showApi* vorlaneShow() { return &kShowApi; }
}
