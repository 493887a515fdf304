#include "audio/sound_diagnostics.h"

#include <dlfcn.h>

#include <cstdlib>

namespace audio {

namespace {

// ALSA's error handler and the call that installs it, as libasound declares them.
using alsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format,
                                  ...);
using alsaSetErrorHandler = int (*)(alsaErrorHandler handler);

// Takes ALSA's message and shows it nowhere.
void dropAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void silenceSoundDiagnostics() {
  if (getenv("ALSOFT_LOGLEVEL")) return;
  setenv("ALSOFT_LOGLEVEL", "0", 1);
  // ALSA prints its errors itself, from OpenAL Soft's probe of a machine with
  // no card. The process holds one libasound, whoever loads it: the handler
  // set here is the one OpenAL Soft's calls meet. It stays loaded for good.
  void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
  if (!alsa) return;
  auto setHandler = reinterpret_cast<alsaSetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (setHandler) setHandler(dropAlsaError);
}

}  // namespace audio
