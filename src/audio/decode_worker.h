#pragma once
// Decoding a sound away from its caller where the platform allows it. The
// desktop decodes on a thread of its own while the demo opens; a browser
// gives threads only to pages served with cross-origin isolation headers,
// which a plain web server does not send, so there the sound decodes at once.

#include <string>
#include <thread>

#include "audio/mp3_decoder.h"
#include "audio/result.h"

namespace audio {

// A sound being decoded; what the decoding writes lives here, away from the
// slots, which may move while it runs.
class pendingDecode {
 public:
  std::thread worker;  // the desktop's decoding thread
  decodedAudio pcm;
  Result result = kOk;
};

// Starts decoding the file at `path` into `pending`.
void startDecode(pendingDecode* pending, const std::string& path);

// Returns once `pending` holds the samples or the failure.
void awaitDecode(pendingDecode* pending);

}  // namespace audio
