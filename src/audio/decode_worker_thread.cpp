#include "audio/decode_worker.h"

namespace audio {

void startDecode(pendingDecode* pending, const std::string& path) {
  pending->worker = std::thread([pending, path] { pending->result = decodeMp3(path.c_str(), &pending->pcm); });
}

void awaitDecode(pendingDecode* pending) { pending->worker.join(); }

}  // namespace audio
