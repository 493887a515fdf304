#include "audio/mp3_decoder.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mpg123.h>
#include <unistd.h>

namespace audio {

decodedAudio::~decodedAudio() { free(samples); }

namespace {

// Grows the sample buffer to hold at least `frames` frames.
bool reserveFrames(decodedAudio* out, size_t* capacity, size_t frames) {
  if (frames <= *capacity) return true;
  size_t grown = frames + frames / 2;
  void* bigger = realloc(out->samples, grown * out->channels * sizeof(int16_t));
  if (!bigger) return false;
  out->samples = static_cast<int16_t*>(bigger);
  *capacity = grown;
  return true;
}

Result decodeOpenStream(mpg123_handle* stream, decodedAudio* out) {
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(stream, &rate, &channels, &encoding) != MPG123_OK) return kErrFormat;
  // Fix the output format so that every frame decodes to the same layout.
  mpg123_format_none(stream);
  if (mpg123_format(stream, rate, channels, MPG123_ENC_SIGNED_16) != MPG123_OK) return kErrFormat;
  out->rate = rate;
  out->channels = channels;

  // The scanned length (exact for gapless files) sizes the buffer once.
  mpg123_scan(stream);
  off_t length = mpg123_length(stream);
  size_t capacity = 0;
  if (!reserveFrames(out, &capacity, length > 0 ? size_t(length) : size_t(rate))) return kErrMemory;

  size_t frameBytes = sizeof(int16_t) * channels;
  for (;;) {
    if (!reserveFrames(out, &capacity, out->frames + size_t(rate) / 10)) return kErrMemory;
    size_t done = 0;
    unsigned char* at = reinterpret_cast<unsigned char*>(out->samples + out->frames * channels);
    int status = mpg123_read(stream, at, (capacity - out->frames) * frameBytes, &done);
    out->frames += done / frameBytes;
    if (status == MPG123_DONE) break;
    // A damaged stream plays up to the damage; one with nothing in it is no sound.
    if (status != MPG123_OK && status != MPG123_NEW_FORMAT) break;
  }
  return out->frames > 0 ? kOk : kErrFormat;
}

}  // namespace

// Windows opens a file in text mode unless told otherwise, which would drop
// the mp3's CR bytes and stop at its first Ctrl-Z.
#ifdef O_BINARY
constexpr int kReadFlags = O_RDONLY | O_BINARY;
#else
constexpr int kReadFlags = O_RDONLY;
#endif

Result decodeMp3(const char* path, decodedAudio* out) {
  int fd = open(path, kReadFlags);
  if (fd < 0) return errno == ENOENT ? kErrFileNotFound : kErrFileUnreadable;

  mpg123_handle* stream = mpg123_new(nullptr, nullptr);
  if (!stream) {
    ::close(fd);
    return kErrMemory;
  }
  mpg123_param(stream, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  Result result = kErrFormat;
  if (mpg123_open_fd(stream, fd) == MPG123_OK) {
    result = decodeOpenStream(stream, out);
    mpg123_close(stream);
  }
  mpg123_delete(stream);
  ::close(fd);
  return result;
}

}  // namespace audio
