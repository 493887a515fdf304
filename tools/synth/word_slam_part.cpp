#include "word_slam_part.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "drum_kit.h"
#include "instruments.h"
#include "part_mix.h"
#include "schedule/schedule.h"

namespace {

// One chord stab per word: D minor, F, G minor for the first three, then
// B flat and A major, which the scroller resolves to D minor.
const std::vector<int> kQuickChord = {50, 62, 65, 69};
const std::vector<int> kDirtyChord = {53, 65, 69, 72};
const std::vector<int> kKebabChord = {55, 67, 70, 74};
const std::vector<int> kBaChord = {46, 53, 58, 62, 65};
const std::vector<int> kSlamChord = {45, 52, 57, 61, 64, 69};
constexpr int kSlamBassNote = 33;

// The "Tscha!" column climbs the D minor scale, one step per word.
constexpr int kTschaNotes[] = {62, 64, 65, 67, 69, 70, 72, 74, 76, 77, 79};
static_assert(std::size(kTschaNotes) == kTschaCount, "one note for every word of the column");

// Short decays: the next word comes 0.15 s later and must stand out.
kickSound punchKick() {
  kickSound kick;
  kick.startHz = 190;
  kick.endHz = 52;
  kick.hold = 0.015;
  kick.decay = 0.1;
  kick.click = 0.45;
  return kick;
}

kickSound boomKick() {
  kickSound kick;
  kick.startHz = 150;
  kick.endHz = 41;
  kick.pitchDecay = 0.05;
  kick.hold = 0.03;
  kick.decay = 0.45;
  kick.drive = 2.2;
  return kick;
}

// The word slam's mix.
constexpr mixLevels kDrumMix{0.45f, 0.12f, 0.0f};
constexpr mixLevels kStabMix{0.42f, 0.3f, 0.0f};
constexpr mixLevels kRunMix{0.4f, 0.15f, 0.0f};

// The ring-out fades exactly as the picture does.
void fadeWithPicture(stereoBuffer* mix) {
  mix->applyGain([](double t) {
    return std::clamp((kWordSlamFadeTo - t) / (kWordSlamFadeTo - kWordSlamFadeFrom), 0.0, 1.0);
  });
}

// Quick, Dirty, Kebab!: growing from a kick and a stab to a full hit.
void addFirstWords(stereoBuffer* drums, stereoBuffer* stabs, const kickSound& punch) {
  snareSound lightSnare;
  lightSnare.noiseDecay = 0.07;
  stabSound wordStab;
  wordStab.amp = adsrEnvelope{0.002, 0.05, 0.2, 0.06};
  addKick(drums, kQuickAt, 0.9f, punch);
  addStab(stabs, kQuickAt, 0.12, kQuickChord, 0.8f, wordStab);
  addKick(drums, kDirtyAt, 0.9f, punch);
  addSnare(drums, kDirtyAt, 0.35f, 0.2f, lightSnare);
  addStab(stabs, kDirtyAt, 0.12, kDirtyChord, 0.85f, wordStab);
  addKick(drums, kKebabAt, 1.0f, punch);
  addSnare(drums, kKebabAt, 0.55f, 0.0f, lightSnare);
  addClap(drums, kKebabAt, 0.5f, -0.2f);
  addStab(stabs, kKebabAt, 0.18, kKebabChord, 1.0f, wordStab);
}

// The column: a tight noise "tscha" and a climbing pluck per word, a kick
// under every fourth, all growing louder.
void addTschaColumn(stereoBuffer* drums, stereoBuffer* run, const kickSound& tight) {
  snareSound tscha;
  tscha.toneHz = 240;
  tscha.tone = 0.25;
  tscha.noiseHz = 3500;
  tscha.noiseDecay = 0.04;
  hatSound sizzle;
  sizzle.decay = 0.025;
  pluckSound runPluck;
  runPluck.decay = 0.06;
  runPluck.envelopeHz = 6000;
  for (int k = 0; k < kTschaCount; ++k) {
    double at = kFirstTschaAt + k * kTschaSpacing;
    float grow = 0.65f + 0.35f * float(k) / float(kTschaCount - 1);
    float pan = (k % 2 == 0) ? -0.3f : 0.3f;
    addSnare(drums, at, 0.95f * grow, pan, tscha);
    addHat(drums, at, 0.45f * grow, -pan, sizzle);
    if (k % 4 == 0) addKick(drums, at, 0.75f * grow, tight);
    addPluck(run, note{at, 0.1, kTschaNotes[size_t(k)], grow}, 0.9f, pan, runPluck);
  }
}

// BA! is a short blow, SLAM! the full one with a cymbal and a held chord.
void addBaSlam(stereoBuffer* drums, stereoBuffer* stabs, const kickSound& tight) {
  addKick(drums, kBaAt, 1.0f, tight);
  stabSound baStab;
  baStab.amp = adsrEnvelope{0.002, 0.03, 0.3, 0.02};
  addStab(stabs, kBaAt, 0.04, kBaChord, 1.0f, baStab);

  addKick(drums, kSlamAt, 1.0f, boomKick());
  snareSound bigSnare;
  bigSnare.noiseDecay = 0.22;
  bigSnare.toneHz = 170;
  addSnare(drums, kSlamAt, 0.8f, 0.0f, bigSnare);
  addClap(drums, kSlamAt, 0.7f, 0.0f);
  addCymbal(drums, kSlamAt, 0.45f, 1.4);
  stabSound slamStab;
  slamStab.cutoff = 900;
  slamStab.filterDecay = 0.25;
  slamStab.amp = adsrEnvelope{0.002, 0.15, 0.45, 0.5};
  addStab(stabs, kSlamAt, 0.8, kSlamChord, 1.25f, slamStab);
  bassSound slamBass;
  slamBass.amp = adsrEnvelope{0.002, 0.4, 0.6, 0.4};
  addBass(stabs, note{kSlamAt, 0.8, kSlamBassNote, 1.0f}, 0.6f, slamBass);
}

}  // namespace

stereoBuffer renderWordSlam() {
  partMix mix(kWordSlamStart - 0.01, kWordSlamFadeTo + 0.01);
  mix.reverb.seconds = 1.9;
  mix.reverb.predelay = 0.012;

  stereoBuffer drums = mix.track();
  stereoBuffer stabs = mix.track();
  stereoBuffer run = mix.track();
  kickSound punch = punchKick();
  kickSound tight = punch;
  tight.decay = 0.045;
  addFirstWords(&drums, &stabs, punch);
  addTschaColumn(&drums, &run, tight);
  addBaSlam(&drums, &stabs, tight);

  mix.place(drums, kDrumMix);
  mix.place(stabs, kStabMix);
  mix.place(run, kRunMix);

  stereoBuffer out = mix.finish();
  fadeWithPicture(&out);
  return out;
}
