#include "demo_track.h"

#include <cmath>

#include "filters.h"
#include "limiter.h"
#include "noise_source.h"
#include "opening_part.h"
#include "scroller_part.h"
#include "schedule/schedule.h"
#include "word_slam_part.h"

namespace {

constexpr int kStages = 5;
constexpr double kDcCutHz = 18;
// Leaves the limiter only the loudest hits to catch.
constexpr float kMasterLevel = 0.75f;

// Triangular dither of one step, from the fixed-seed generator: the same
// file every run, without the grain of plain rounding in the quiet tails.
// Samples that are exactly zero stay zero: no hiss is added to silence.
std::vector<int16_t> quantise(const stereoBuffer& mix) {
  constexpr double kFullScale = 32767.0;
  noiseSource dither(16);
  std::vector<int16_t> samples;
  samples.reserve(mix.frames() * 2);
  for (size_t i = 0; i < mix.frames(); ++i) {
    for (float value : {mix.left[i], mix.right[i]}) {
      double noise = dither.uniform() - dither.uniform();
      double scaled = value == 0.0f ? 0.0 : value * kFullScale + noise;
      samples.push_back(int16_t(std::lround(std::clamp(scaled, -kFullScale, kFullScale))));
    }
  }
  return samples;
}

}  // namespace

const std::vector<trackPart>& demoTrackParts() {
  static const std::vector<trackPart> parts = {{"opening", "opening_part.cpp.o", renderOpening},
                                               {"word slam", "word_slam_part.cpp.o", renderWordSlam},
                                               {"scroller", "scroller_part.cpp.o", renderScroller}};
  return parts;
}

std::vector<int16_t> renderDemoTrack(progressReport report, const keptParts* kept) {
  const std::vector<trackPart>& parts = demoTrackParts();
  stereoBuffer track(0.0, kTrackSeconds);
  for (size_t i = 0; i < parts.size(); ++i) {
    bool fromKept = false;
    track.mixIn(kept ? kept->play(parts, i, &fromKept) : parts[i].render(), kMasterLevel);
    report(parts[i].name, fromKept, int(i) + 1, kStages);
  }

  onePoleFilter dcLeft(kDcCutHz), dcRight(kDcCutHz);
  for (size_t i = 0; i < track.frames(); ++i) {
    track.left[i] = float(dcLeft.highpass(track.left[i]));
    track.right[i] = float(dcRight.highpass(track.right[i]));
  }
  limitPeaks(&track, limiterSettings{});
  report("master", false, 4, kStages);
  std::vector<int16_t> samples = quantise(track);
  report("16-bit", false, 5, kStages);
  return samples;
}
