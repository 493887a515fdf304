#include "sidechain.h"

#include <algorithm>
#include <cmath>

void duckUnderKicks(stereoBuffer* sound, const std::vector<double>& kicks, const duckSettings& settings) {
  constexpr double kAttack = 0.004;  // quick, but not a click
  // Overlapping kicks take the deeper of their dips, never their product.
  std::vector<float> dip(sound->frames(), 0.0f);
  for (double kick : kicks) {
    long start = frameAt(kick) - sound->firstFrame;
    long frames = long((kAttack + 7.0 * settings.recovery) * kSampleRate);
    for (long i = std::max(0L, -start); i < frames && size_t(start + i) < dip.size(); ++i) {
      double t = double(i) / kSampleRate;
      float shape = float(t < kAttack ? t / kAttack : std::exp(-(t - kAttack) / settings.recovery));
      dip[size_t(start + i)] = std::max(dip[size_t(start + i)], shape);
    }
  }
  for (size_t i = 0; i < dip.size(); ++i) {
    float gain = 1.0f - settings.depth * dip[i];
    sound->left[i] *= gain;
    sound->right[i] *= gain;
  }
}
