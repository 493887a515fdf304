// The preview's show library: the demo's scenes, schedule and toolkit, with
// the runtime's frame and file reloading around them, behind the table of
// show_api.h. Everything else in it is hidden (show_build.cmake).

#include <FTGL/ftgl.h>

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

// The scenes and the toolkit's objects free nothing themselves, as the demo
// never frees them: a version left behind is taken apart here, field by
// field. Most of it is the fonts: the file each face read, and FTGL's fonts
// made from it, which go before the file they read from.
void releaseFace(textFace* face) {
  for (const auto& sized : face->fontsBySize) delete sized.second;
  delete face->unsizedFont;
  delete face;
}

void release(demoScenes* scenes) {
  scene0EFX* opening = scenes->opening;
  for (imageTexture* texture : {opening->background, opening->backCrag, opening->frontCrag, opening->sun})
    delete texture;
  releaseFace(opening->font);
  delete opening->target;
  delete opening;
  velmoEFX* wordSlam = scenes->wordSlam;
  releaseFace(wordSlam->font);
  delete wordSlam->target;
  delete wordSlam->background;
  delete wordSlam;
  scene2EFX* scroller = scenes->scroller;
  delete scroller->scrollerTexture;
  delete scroller->sunTexture;
  releaseFace(scroller->font);
  delete scroller->target;
  delete scroller->textShader;
  delete scroller;
  delete scenes;
}

const showApi kShowApi = {kShowApiLayout, build, draw, reloadFile, sceneAt, release};

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
