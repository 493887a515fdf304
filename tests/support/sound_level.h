#pragma once
// The level of 16-bit samples, for tests that listen to decoded or recorded
// sound.

#include <cstddef>
#include <cstdint>

// Root mean square of `count` samples taken `stride` apart (a stride of 2
// from the first or second sample reads one channel of interleaved stereo);
// 1 is a full-scale square wave.
double rms(const int16_t* samples, size_t count, size_t stride = 1);

// The last stretch of interleaved stereo `samples` (`frames` of them) that is
// not silence, as frames [first, end): what a recording ends with. Silence
// is exact zeros for `gapFrames` or more; a quiet passage of music has
// shorter runs of them.
class soundSpan {
 public:
  size_t first = 0, end = 0;
};
soundSpan lastSound(const int16_t* samples, size_t frames, size_t gapFrames);
