#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "filters.h"
#include "noise_source.h"
#include "oscillators.h"

namespace {

// The factor of a detune in cents.
double cents(double amount) { return std::pow(2.0, amount / 1200.0); }

// Random starting phases keep stacked saws from summing to a click.
uint64_t seedFor(long frame, int pitch) { return uint64_t(frame) * 131u + uint64_t(pitch) * 977u; }

}  // namespace

void addBass(stereoBuffer* out, const note& n, float gain, const bassSound& sound) {
  long start = frameAt(n.start);
  long frames = long((n.length + sound.amp.tail()) * kSampleRate);
  double hz = noteHz(n.pitch);
  sawOscillator saw;
  sineOscillator sub;
  stateVariableFilter filter;
  double norm = std::tanh(sound.drive);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double cutoff = sound.cutoff + sound.envelopeHz * n.velocity * std::exp(-t / sound.filterDecay);
    filter.process(saw.next(hz), cutoff, sound.resonance);
    double s = (filter.low + sound.sub * sub.next(hz)) * sound.amp.levelAt(t, n.length);
    s = std::tanh(sound.drive * s) / norm * n.velocity * gain;
    out->add(start + i, float(s), float(s));
  }
}

void addPadChord(stereoBuffer* out, double start, double length, const std::vector<int>& pitches, float gain,
                 const padSound& sound) {
  long first = frameAt(start);
  long frames = long((length + sound.amp.tail()) * kSampleRate);
  noiseSource noise(seedFor(first, pitches.front()));
  class padVoice {
   public:
    sawOscillator saw;
    double hz;
    stereoPlacement place;
  };
  std::vector<padVoice> voices;
  for (size_t p = 0; p < pitches.size(); ++p) {
    for (int v = 0; v < sound.voices; ++v) {
      double spread = sound.voices > 1 ? 2.0 * v / (sound.voices - 1) - 1.0 : 0.0;
      padVoice voice;
      voice.saw.phase = noise.uniform();
      voice.hz = noteHz(pitches[p]) * cents(spread * sound.detuneCents);
      // Alternate the sides per pitch so every note is spread, not just the chord.
      float pan = float(sound.width * spread * ((p % 2) ? -1.0 : 1.0));
      voice.place = placeAt(1.0f, pan);
      voices.push_back(voice);
    }
  }
  double norm = 1.0 / std::sqrt(double(voices.size()));
  stateVariableFilter left, right;
  double lfoPhase = noise.uniform();
  double sweep = std::log(sound.cutoffTo / sound.cutoffFrom);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double l = 0, r = 0;
    for (padVoice& voice : voices) {
      double s = voice.saw.next(voice.hz);
      l += s * voice.place.left;
      r += s * voice.place.right;
    }
    double along = std::min(1.0, t / length);
    double lfo = std::sin(kTwoPi * (lfoPhase + sound.lfoHz * t)) * sound.lfoOctaves;
    double cutoff = sound.cutoffFrom * std::exp(sweep * along) * std::pow(2.0, lfo);
    left.process(l * norm, cutoff, 0.8);
    right.process(r * norm, cutoff * 1.04, 0.8);
    double level = sound.amp.levelAt(t, length) * gain;
    out->add(first + i, float(left.low * level), float(right.low * level));
  }
}

void addStab(stereoBuffer* out, double start, double length, const std::vector<int>& pitches, float gain,
             const stabSound& sound) {
  constexpr int kVoicesPerPitch = 3;
  long first = frameAt(start);
  long frames = long((length + sound.amp.tail()) * kSampleRate);
  noiseSource noise(seedFor(first, pitches.back()));
  std::vector<sawOscillator> saws;
  std::vector<double> hz;
  std::vector<stereoPlacement> places;
  for (size_t p = 0; p < pitches.size(); ++p) {
    for (int v = 0; v < kVoicesPerPitch; ++v) {
      double spread = double(v - 1);
      sawOscillator saw;
      saw.phase = noise.uniform();
      saws.push_back(saw);
      hz.push_back(noteHz(pitches[p]) * cents(spread * sound.detuneCents));
      places.push_back(placeAt(1.0f, float(sound.width * spread * ((p % 2) ? -1.0 : 1.0))));
    }
  }
  double norm = 1.0 / std::sqrt(double(saws.size()));
  stateVariableFilter left, right;
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double l = 0, r = 0;
    for (size_t v = 0; v < saws.size(); ++v) {
      double s = saws[v].next(hz[v]);
      l += s * places[v].left;
      r += s * places[v].right;
    }
    double cutoff = sound.cutoff + sound.envelopeHz * std::exp(-t / sound.filterDecay);
    left.process(l * norm, cutoff, 1.0);
    right.process(r * norm, cutoff, 1.0);
    double level = sound.amp.levelAt(t, length) * gain;
    out->add(first + i, float(std::tanh(1.5 * left.low) * level), float(std::tanh(1.5 * right.low) * level));
  }
}

void addPluck(stereoBuffer* out, const note& n, float gain, float pan, const pluckSound& sound) {
  long first = frameAt(n.start);
  long frames = long(7.0 * sound.decay * kSampleRate);
  double hz = noteHz(n.pitch);
  noiseSource noise(seedFor(first, n.pitch));
  sawOscillator saw;
  squareOscillator square;
  saw.phase = noise.uniform();
  square.phase = noise.uniform();
  stateVariableFilter filter;
  stereoPlacement place = placeAt(gain * n.velocity, pan);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double cutoff = sound.cutoff + sound.envelopeHz * n.velocity * std::exp(-t / sound.filterDecay);
    filter.process(0.6 * saw.next(hz) + 0.4 * square.next(hz * cents(7)), cutoff, sound.resonance);
    double s = filter.low * std::min(1.0, t / 0.001) * std::exp(-t / sound.decay);
    out->add(first + i, float(place.left * s), float(place.right * s));
  }
}

void addBell(stereoBuffer* out, const note& n, float gain, float pan, const bellSound& sound) {
  long first = frameAt(n.start);
  long frames = long((n.length + 6.0 * sound.decay) * kSampleRate);
  double hz = noteHz(n.pitch);
  sineOscillator modulator;
  double carrier = 0;
  stereoPlacement place = placeAt(gain * n.velocity, pan);
  for (long i = 0; i < frames; ++i) {
    double t = double(i) / kSampleRate;
    double index = sound.index * std::exp(-t / sound.indexDecay) + 0.25;
    double s = std::sin(kTwoPi * carrier + index * modulator.next(hz * sound.ratio));
    carrier += hz / kSampleRate;
    carrier -= std::floor(carrier);
    // Held notes ring at full decay; after the end they fade faster.
    double level = std::min(1.0, t / 0.002) * std::exp(-t / sound.decay);
    if (t > n.length) level *= std::exp(-(t - n.length) / (0.5 * sound.decay));
    out->add(first + i, float(place.left * s * level), float(place.right * s * level));
  }
}

void addLeadLine(stereoBuffer* out, const std::vector<note>& notes, float gain, float pan, const leadSound& sound) {
  if (notes.empty()) return;
  constexpr double kTieGap = 0.005;  // notes closer than this are played legato
  long first = frameAt(notes.front().start);
  long last = frameAt(notes.back().start + notes.back().length + sound.amp.tail());
  stereoPlacement place = placeAt(gain, pan);
  sawOscillator upperLeft, lowerLeft, upperRight, lowerRight;
  squareOscillator sub;
  upperRight.phase = 0.37;
  lowerLeft.phase = 0.61;
  lowerRight.phase = 0.13;
  stateVariableFilter left, right;
  double glide = 1.0 - std::exp(-1.0 / (sound.glide * kSampleRate));
  size_t current = 0;
  double pitch = notes.front().pitch;
  double attackedAt = notes.front().start;  // start of the note whose envelope runs
  double heldUntil = notes.front().start + notes.front().length;
  double releaseFrom = 0;                   // level when the envelope was retriggered
  for (long frame = first; frame < last; ++frame) {
    double t = double(frame) / kSampleRate;
    while (current + 1 < notes.size() && t >= notes[current + 1].start) {
      const note& next = notes[current + 1];
      bool tied = next.start - (notes[current].start + notes[current].length) < kTieGap;
      if (!tied) {
        releaseFrom = sound.amp.levelAt(t - attackedAt, heldUntil - attackedAt);
        attackedAt = next.start;
        pitch = next.pitch;
      }
      heldUntil = next.start + next.length;
      ++current;
    }
    pitch += (notes[current].pitch - pitch) * glide;
    double sinceAttack = t - attackedAt;
    double sinceNote = t - notes[current].start;
    double vibratoIn = std::clamp((sinceNote - sound.vibratoDelay) / 0.3, 0.0, 1.0);
    double bent = pitch + vibratoIn * sound.vibratoSemitones * std::sin(kTwoPi * sound.vibratoHz * t);
    double hz = noteHz(bent);
    // A retriggered note starts from where the last one had fallen to.
    double level = sound.amp.levelAt(sinceAttack, heldUntil - attackedAt);
    if (sinceAttack < sound.amp.attack) level = std::max(level, releaseFrom * (1.0 - sinceAttack / sound.amp.attack));
    double d = cents(sound.detuneCents);
    double lowSub = 0.3 * sub.next(hz * 0.5);
    double l = upperLeft.next(hz * d) + 0.8 * lowerLeft.next(hz / cents(0.4 * sound.detuneCents)) + lowSub;
    double r = upperRight.next(hz / d) + 0.8 * lowerRight.next(hz * cents(0.4 * sound.detuneCents)) + lowSub;
    double opening = notes[current].velocity * std::exp(-sinceNote / sound.filterDecay);
    double cutoff = sound.cutoff + sound.envelopeHz * opening;
    left.process(l * 0.5, cutoff, sound.resonance);
    right.process(r * 0.5, cutoff, sound.resonance);
    double amp = level * notes[current].velocity;
    out->add(frame, float(place.left * std::tanh(1.4 * left.low) * amp),
             float(place.right * std::tanh(1.4 * right.low) * amp));
  }
}
