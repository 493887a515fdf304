#include "audio/sound_diagnostics.h"

namespace audio {

// The browser's OpenAL is not OpenAL Soft and writes no diagnostics of its
// own, and there is no ALSA to load.
void silenceSoundDiagnostics() {}

}  // namespace audio
