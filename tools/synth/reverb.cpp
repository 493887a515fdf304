#include "reverb.h"

#include <array>
#include <cmath>
#include <vector>

#include "filters.h"

namespace {

class delayLine {
 public:
  std::vector<float> data;
  size_t at = 0;

  explicit delayLine(size_t length) : data(length < 1 ? 1 : length, 0.0f) {}

  // The sample written `length` samples ago.
  float oldest() const { return data[at]; }
  void push(float value) {
    data[at] = value;
    at = (at + 1) % data.size();
  }
};

class allPass {
 public:
  delayLine line;
  float gain;

  allPass(size_t length, float g) : line(length), gain(g) {}

  float process(float input) {
    float delayed = line.oldest();
    float into = input + gain * delayed;
    line.push(into);
    return delayed - gain * into;
  }
};

// Mutually prime lengths (at 44.1 kHz) spread the echoes evenly.
constexpr std::array<size_t, 8> kLineLengths = {1433, 1601, 1867, 2053, 2251, 2399, 2617, 2797};
constexpr std::array<size_t, 4> kDiffuserLeft = {142, 379, 107, 277};
constexpr std::array<size_t, 4> kDiffuserRight = {151, 353, 113, 293};
constexpr float kDiffusion = 0.62f;
constexpr float kWetLevel = 0.45f;

}  // namespace

stereoBuffer applyReverb(const stereoBuffer& send, const reverbSettings& settings) {
  stereoBuffer wet = send;
  std::fill(wet.left.begin(), wet.left.end(), 0.0f);
  std::fill(wet.right.begin(), wet.right.end(), 0.0f);

  delayLine predelayLeft(size_t(settings.predelay * kSampleRate));
  delayLine predelayRight(size_t(settings.predelay * kSampleRate) + 7);
  onePoleFilter lowCutLeft(settings.lowCutHz), lowCutRight(settings.lowCutHz);
  std::vector<allPass> diffuseLeft, diffuseRight;
  for (size_t length : kDiffuserLeft) diffuseLeft.emplace_back(length, kDiffusion);
  for (size_t length : kDiffuserRight) diffuseRight.emplace_back(length, kDiffusion);

  std::vector<delayLine> lines;
  std::vector<onePoleFilter> damping;
  std::array<double, 8> decay{};
  for (size_t i = 0; i < kLineLengths.size(); ++i) {
    size_t length = size_t(double(kLineLengths[i]) * settings.size);
    lines.emplace_back(length);
    damping.emplace_back(settings.dampingHz);
    // Each pass through a line loses its share of 60 dB over the decay time.
    decay[i] = std::pow(10.0, -3.0 * double(length) / (settings.seconds * kSampleRate));
  }

  std::array<double, 8> out{};
  for (size_t i = 0; i < send.frames(); ++i) {
    predelayLeft.push(send.left[i]);
    predelayRight.push(send.right[i]);
    float inLeft = float(lowCutLeft.highpass(predelayLeft.oldest()));
    float inRight = float(lowCutRight.highpass(predelayRight.oldest()));
    for (allPass& stage : diffuseLeft) inLeft = stage.process(inLeft);
    for (allPass& stage : diffuseRight) inRight = stage.process(inRight);

    double sum = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
      out[k] = damping[k].lowpass(lines[k].oldest()) * decay[k];
      sum += out[k];
    }
    // Householder reflection: lossless mixing of every line into every other.
    double reflect = 2.0 * sum / double(lines.size());
    for (size_t k = 0; k < lines.size(); ++k) {
      double input = (k % 2 == 0) ? inLeft : inRight;
      lines[k].push(float(out[k] - reflect + ((k / 2) % 2 ? -input : input)));
    }
    wet.left[i] = float(kWetLevel * (out[0] - out[2] + out[4] - out[6]));
    wet.right[i] = float(kWetLevel * (out[1] - out[3] + out[5] - out[7]));
  }
  return wet;
}
