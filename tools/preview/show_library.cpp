#include "show_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>

std::string openShowLibrary(const std::string& path, loadedShow* show) {
  static unsigned loads = 0;
  std::string copy = path + "." + std::to_string(getpid()) + "-" + std::to_string(++loads);
  std::error_code error;
  std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing, error);
  if (error) return "error: cannot copy " + path + ": " + error.message();
  void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  // Once loaded, the copy is not needed under its name.
  std::filesystem::remove(copy, error);
  if (!library) return std::string("error: ") + dlerror();
  auto entry = reinterpret_cast<const showApi* (*)()>(dlsym(library, kShowApiSymbol));
  const showApi* api = entry ? entry() : nullptr;
  if (!api || api->layout != kShowApiLayout) {
    dlclose(library);
    return "error: " + path + " is not a show library for this vorlane-preview; build the preview again";
  }
  show->library = library;
  show->api = api;
  return "";
}

void closeShowLibrary(loadedShow* show) {
  dlclose(show->library);
  *show = loadedShow();
}
