#include "echo.h"

#include <algorithm>
#include <vector>

#include "filters.h"

stereoBuffer applyEcho(const stereoBuffer& send, const echoSettings& settings) {
  stereoBuffer wet = send;
  size_t length = size_t(settings.seconds * kSampleRate);
  std::vector<float> left(length, 0.0f), right(length, 0.0f);
  onePoleFilter toneLeft(settings.toneHz), toneRight(settings.toneHz);
  onePoleFilter cutLeft(settings.lowCutHz), cutRight(settings.lowCutHz);
  size_t at = 0;
  for (size_t i = 0; i < send.frames(); ++i) {
    float outLeft = left[at];
    float outRight = right[at];
    double mono = 0.5 * (send.left[i] + send.right[i]);
    double fromRight = cutRight.highpass(toneRight.lowpass(outRight));
    double fromLeft = cutLeft.highpass(toneLeft.lowpass(outLeft));
    left[at] = float(mono + settings.feedback * fromRight);
    right[at] = float(settings.feedback * fromLeft);
    at = (at + 1) % length;
    wet.left[i] = outLeft;
    wet.right[i] = outRight;
  }
  return wet;
}
