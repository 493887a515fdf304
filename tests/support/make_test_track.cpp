// make-test-track: writes the tests' short track as a WAV file: 1.5 s of a
// 440 Hz tone on the left and 550 Hz on the right at half of full scale,
// with 10 ms ramps at both ends. CMake encodes it to mp3 with lame.

#include <cmath>
#include <cstdio>

#include "support/wav_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    printf("usage: make-test-track OUT.wav\n");
    return 1;
  }
  constexpr double kSeconds = 1.5;
  constexpr double kAmplitude = 0.5;
  constexpr double kRamp = 0.01;
  wavFile wav;
  int frames = int(kSeconds * wav.rate);
  for (int i = 0; i < frames; ++i) {
    double t = double(i) / wav.rate;
    double envelope = std::fmin(1.0, std::fmin(t, kSeconds - t) / kRamp);
    double gain = kAmplitude * envelope * 32767;
    wav.samples.push_back(int16_t(std::lround(gain * std::sin(2 * M_PI * 440 * t))));
    wav.samples.push_back(int16_t(std::lround(gain * std::sin(2 * M_PI * 550 * t))));
  }
  return writeWav(argv[1], wav) ? 0 : 1;
}
