#pragma once
// Result codes of the audio layer: every operation returns one.

namespace audio {

enum Result : int {
  kOk = 0,
  kErrInvalidHandle = 1,
  kErrFileNotFound = 2,
  kErrFileUnreadable = 3,
  kErrFormat = 4,
  kErrOutputNone = 5,
  kErrOutputFailed = 6,
  kErrInvalidParam = 7,
  kErrMemory = 8,
  kErrUninitialised = 9,
  kErrInitialised = 10,
  kErrNoFreeChannel = 11,
};

// The English sentence for a result code; any other int gives "Unknown error.".
const char* errorString(int result);

}  // namespace audio
