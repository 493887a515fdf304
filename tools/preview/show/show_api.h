#pragma once
// What the preview's build of the show hands the preview: the scenes, the
// schedule and the toolkit behind one table of functions, the only symbol
// the library shows. Nothing of the show is linked into the preview itself,
// so every answer below is the loaded code's, and a newer library's once
// the preview has loaded it in place of the last.

#include <string>

#include "runtime/timeline.h"

class demoScenes;

// Changed with the table, so that a library built from another version of
// this header is refused rather than called.
constexpr unsigned kShowApiLayout = 2;

class showApi {
 public:
  unsigned layout;  // kShowApiLayout as the library was built

  // Builds the three scenes in the current GL context, loading their files
  // from the working folder, and sets the fixed state they rely on. A file
  // that cannot be loaded ends the process, as in the demo; `onExit` is
  // called first with the exit status, and may take the process elsewhere.
  demoScenes* (*build)(void (*onExit)(int status));
  // Clears the window and draws the scene that owns `musicSeconds`.
  void (*draw)(const demoScenes* scenes, float musicSeconds);
  // Loads a file the scenes were built from again (runtime/scene_files.h).
  std::string (*reloadFile)(const demoScenes* scenes, const std::string& path);
  // The scene the timeline gives `musicSeconds`.
  sceneSlot (*sceneAt)(float musicSeconds);
  // Frees what the scenes hold on the heap, the scenes with it, with their
  // context current: the preview calls it on a version it leaves for a
  // newer one. The demo never frees its scenes.
  void (*release)(demoScenes* scenes);
};

// The library's one exported function, looked up by this name.
constexpr const char* kShowApiSymbol = "vorlaneShow";
extern "C" const showApi* vorlaneShow();
