#include "audio/sound_diagnostics.h"

#include <cstdlib>

namespace audio {

void silenceSoundDiagnostics() {
  if (getenv("ALSOFT_LOGLEVEL")) return;
  // Windows' C runtime has no setenv.
  _putenv_s("ALSOFT_LOGLEVEL", "0");
}

}  // namespace audio
