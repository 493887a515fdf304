#pragma once
// A version of the show's code as the preview runs it: the library the
// build made, its scenes, and the GL context they live in.

#include <string>

#include "show_api.h"
#include "show_context.h"

class loadedShow {
 public:
  void* library = nullptr;  // the loader's handle; null when none is loaded
  const showApi* api = nullptr;
  demoScenes* scenes = nullptr;
  showContext context;
};

// Loads the library at `path` into `show`: empty, or the line that says
// why it did not load. It loads a copy under a name of its own, so that
// the loader takes it for new code and the next build can replace the file.
std::string openShowLibrary(const std::string& path, loadedShow* show);

// Unloads the library; its scenes' context must be gone already.
void closeShowLibrary(loadedShow* show);
