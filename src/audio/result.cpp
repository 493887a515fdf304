#include "audio/result.h"

namespace audio {

const char* errorString(int result) {
  switch (result) {
    case kOk: return "No errors.";
    case kErrInvalidHandle: return "An invalid object handle was used.";
    case kErrFileNotFound: return "File not found.";
    case kErrFileUnreadable: return "The file exists but could not be opened for reading.";
    case kErrFormat: return "The file could not be decoded as audio.";
    case kErrOutputNone: return "No audio output device could be opened.";
    case kErrOutputFailed: return "The audio output device failed.";
    case kErrInvalidParam: return "An invalid parameter was passed.";
    case kErrMemory: return "Not enough memory or resources.";
    case kErrUninitialised: return "The audio system has not been initialised.";
    case kErrInitialised: return "The audio system is already initialised.";
    case kErrNoFreeChannel: return "Every channel is already playing.";
  }
  return "Unknown error.";
}

}  // namespace audio
