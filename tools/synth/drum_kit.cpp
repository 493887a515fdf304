#include "drum_kit.h"

#include <array>
#include <cmath>
#include <vector>

#include "filters.h"
#include "noise_source.h"
#include "oscillators.h"

namespace {

// Detuned squares whose beating gives hats and cymbals their metal; the
// ratios are deliberately inharmonic.
constexpr std::array<double, 6> kMetalHz = {263.0, 397.0, 431.0, 587.0, 661.0, 929.0};

class metalCluster {
 public:
  std::array<squareOscillator, 6> squares;

  explicit metalCluster(noiseSource* noise) {
    for (squareOscillator& square : squares) square.phase = noise->uniform();
  }

  double next(double scale) {
    double sum = 0;
    for (size_t i = 0; i < squares.size(); ++i) sum += squares[i].next(kMetalHz[i] * scale);
    return sum / double(squares.size());
  }
};

// Every hit draws its noise from a seed of its own start frame, so a sound
// does not depend on what was rendered before it.
uint64_t seedFor(long frame, uint64_t kind) { return uint64_t(frame) * 7919u + kind; }

}  // namespace

void addKick(stereoBuffer* out, double at, float gain, const kickSound& sound) {
  long start = frameAt(at);
  noiseSource noise(seedFor(start, 1));
  onePoleFilter clickShape(3000);
  sineOscillator body;
  double length = sound.hold + 7.0 * sound.decay;
  long frames = long(length * kSampleRate);
  double norm = std::tanh(sound.drive);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double hz = sound.endHz + (sound.startHz - sound.endHz) * std::exp(-t / sound.pitchDecay);
    double level = std::min(1.0, t / 0.0008) * (t < sound.hold ? 1.0 : std::exp(-(t - sound.hold) / sound.decay));
    double click = clickShape.highpass(noise.white()) * std::exp(-t / 0.003) * sound.click;
    double s = std::tanh(sound.drive * (body.next(hz) * level + click)) / norm;
    out->add(start + i, float(gain * s), float(gain * s));
  }
}

void addSnare(stereoBuffer* out, double at, float gain, float pan, const snareSound& sound) {
  long start = frameAt(at);
  noiseSource noise(seedFor(start, 2));
  stateVariableFilter snaresLeft, snaresRight;
  sineOscillator shell, overtone;
  stereoPlacement place = placeAt(gain, pan);
  long frames = long((7.0 * sound.noiseDecay + 0.01) * kSampleRate);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double bend = 1.0 + 0.5 * std::exp(-t / 0.008);
    double tone = (shell.next(sound.toneHz * bend) + 0.5 * overtone.next(sound.toneHz * 1.73 * bend)) *
                  std::exp(-t / sound.toneDecay) * sound.tone;
    // Partly shared noise keeps the snare centred but wide.
    double common = noise.white();
    snaresLeft.process(0.7 * common + 0.3 * noise.white(), sound.noiseHz, 0.6);
    snaresRight.process(0.7 * common + 0.3 * noise.white(), sound.noiseHz, 0.6);
    double envelope = std::min(1.0, t / 0.0005) * std::exp(-t / sound.noiseDecay) * sound.noise;
    double l = std::tanh(1.3 * (tone + snaresLeft.high * envelope));
    double r = std::tanh(1.3 * (tone + snaresRight.high * envelope));
    out->add(start + i, float(place.left * l), float(place.right * r));
  }
}

void addClap(stereoBuffer* out, double at, float gain, float pan) {
  constexpr std::array<double, 4> kBursts = {0.0, 0.009, 0.017, 0.026};
  constexpr double kBurstDecay = 0.0045;
  constexpr double kTailDecay = 0.11;
  long start = frameAt(at);
  noiseSource noise(seedFor(start, 3));
  stateVariableFilter bandLeft, bandRight;
  stereoPlacement place = placeAt(gain, pan);
  long frames = long((kBursts.back() + 7.0 * kTailDecay) * kSampleRate);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double envelope = 0;
    for (double burst : kBursts) {
      if (t >= burst) envelope = std::max(envelope, std::exp(-(t - burst) / kBurstDecay));
    }
    if (t >= kBursts.back()) envelope = std::max(envelope, 0.45 * std::exp(-(t - kBursts.back()) / kTailDecay));
    double common = noise.white();
    bandLeft.process(0.6 * common + 0.4 * noise.white(), 1150, 1.4);
    bandRight.process(0.6 * common + 0.4 * noise.white(), 1250, 1.4);
    out->add(start + i, float(place.left * 2.2 * bandLeft.band * envelope),
             float(place.right * 2.2 * bandRight.band * envelope));
  }
}

void addHat(stereoBuffer* out, double at, float gain, float pan, const hatSound& sound) {
  long start = frameAt(at);
  noiseSource noise(seedFor(start, 4));
  metalCluster metal(&noise);
  stateVariableFilter band;
  onePoleFilter lowCut(6000);
  stereoPlacement place = placeAt(gain, pan);
  long frames = long(7.0 * sound.decay * kSampleRate);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    band.process(0.8 * metal.next(8.0) + 0.6 * noise.white(), sound.hz, 1.1);
    double s = lowCut.highpass(band.band) * std::min(1.0, t / 0.0003) * std::exp(-t / sound.decay) * 2.0;
    out->add(start + i, float(place.left * s), float(place.right * s));
  }
}

void addTom(stereoBuffer* out, double at, float gain, float pan, double hz) {
  constexpr double kDecay = 0.18;
  long start = frameAt(at);
  noiseSource noise(seedFor(start, 5));
  sineOscillator body;
  onePoleFilter skin(2500);
  stereoPlacement place = placeAt(gain, pan);
  long frames = long(7.0 * kDecay * kSampleRate);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double bent = hz * (1.0 + 0.6 * std::exp(-t / 0.025));
    double s = body.next(bent) * std::exp(-t / kDecay) + skin.lowpass(noise.white()) * 0.35 * std::exp(-t / 0.02);
    s = std::tanh(1.4 * s) * std::min(1.0, t / 0.0008);
    out->add(start + i, float(place.left * s), float(place.right * s));
  }
}

namespace {

// A crash of `frames` frames, left and right rendered apart so that it spreads
// across the field.
void renderCymbal(long frames, double decay, uint64_t seed, std::vector<float>* left, std::vector<float>* right) {
  noiseSource noise(seed);
  metalCluster metalLeft(&noise), metalRight(&noise);
  stateVariableFilter toneLeft, toneRight;
  onePoleFilter cutLeft(3500), cutRight(3500);
  left->assign(size_t(frames), 0.0f);
  right->assign(size_t(frames), 0.0f);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double envelope = std::min(1.0, t / 0.0006) * (0.8 * std::exp(-t / decay) + 0.6 * std::exp(-t / 0.03));
    toneLeft.process(0.7 * metalLeft.next(4.3) + 0.7 * noise.white(), 7200, 0.8);
    toneRight.process(0.7 * metalRight.next(4.37) + 0.7 * noise.white(), 7600, 0.8);
    (*left)[size_t(i)] = float(cutLeft.highpass(toneLeft.low + 0.5 * toneLeft.band) * envelope);
    (*right)[size_t(i)] = float(cutRight.highpass(toneRight.low + 0.5 * toneRight.band) * envelope);
  }
}

}  // namespace

void addCymbal(stereoBuffer* out, double at, float gain, double decay) {
  long start = frameAt(at);
  std::vector<float> left, right;
  renderCymbal(long(6.0 * decay * kSampleRate), decay, seedFor(start, 6), &left, &right);
  for (size_t i = 0; i < left.size(); ++i) out->add(start + long(i), gain * left[i], gain * right[i]);
}

void addReversedCymbal(stereoBuffer* out, double endAt, float gain, double seconds) {
  // Decaying over a quarter of the swell, the reversed crash starts near
  // silence; the linear fade takes the rest of its first edge away.
  long end = frameAt(endAt);
  long frames = long(seconds * kSampleRate);
  std::vector<float> left, right;
  renderCymbal(frames, seconds / 4, seedFor(end, 7), &left, &right);
  for (long i = 0; i < frames; ++i) {
    size_t source = size_t(frames - 1 - i);
    float fade = float(i) / float(frames);
    out->add(end - frames + i, gain * fade * left[source], gain * fade * right[source]);
  }
}

void addRiser(stereoBuffer* out, double from, double to, float gain, double fromHz, double toHz) {
  long start = frameAt(from);
  long frames = frameAt(to) - start;
  noiseSource noise(seedFor(start, 8));
  stateVariableFilter left, right;
  for (long i = 0; i < frames; ++i) {
    double x = double(i) / double(frames);
    double hz = fromHz * std::pow(toHz / fromHz, x);
    double common = noise.white();
    left.process(0.5 * common + 0.5 * noise.white(), hz * 0.97, 2.2);
    right.process(0.5 * common + 0.5 * noise.white(), hz * 1.03, 2.2);
    // A few milliseconds of fade at the cut keep it from clicking.
    double level = x * x * std::min(1.0, double(frames - i) / (0.004 * kSampleRate));
    out->add(start + i, float(gain * level * left.band * 1.6), float(gain * level * right.band * 1.6));
  }
}
