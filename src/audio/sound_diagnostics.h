#pragma once
// The sound libraries' own diagnostics: OpenAL Soft's "AL lib:" lines and,
// on Linux, ALSA's "ALSA lib" lines. The demo reports a sound failure in one
// line of its own on standard output, so theirs stay off standard error
// unless the user asks for them by setting OpenAL Soft's ALSOFT_LOGLEVEL.

namespace audio {

// Turns the diagnostics off unless ALSOFT_LOGLEVEL is set. Call before the
// first OpenAL call: OpenAL Soft reads its log level once, on that call.
void silenceSoundDiagnostics();

}  // namespace audio
