#include "scroller_part.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "drum_kit.h"
#include "instruments.h"
#include "noise_source.h"
#include "part_mix.h"
#include "sidechain.h"
#include "schedule/schedule.h"

namespace {

constexpr double kBeat = 0.6;  // 100 BPM
constexpr double kSixteenth = kBeat / 4;
constexpr double kBar = 4 * kBeat;
constexpr int kBars = 16;

double stepTime(int bar, double step) { return kScrollerStart + bar * kBar + step * kSixteenth; }

class chordShape {
 public:
  int bassRoot;
  std::vector<int> pad;
  std::array<int, 6> arp;  // two octaves of chord tones
};

enum chordName { kDm, kBb, kF, kC, kGm, kA };

const std::array<chordShape, 6> kChords = {{
    {38, {50, 57, 62, 65}, {62, 65, 69, 74, 77, 81}},  // D minor
    {34, {53, 58, 62, 65}, {58, 62, 65, 70, 74, 77}},  // B flat
    {41, {53, 57, 60, 65}, {60, 65, 69, 72, 77, 81}},  // F
    {36, {52, 55, 60, 64}, {60, 64, 67, 72, 76, 79}},  // C
    {31, {50, 55, 58, 62}, {62, 67, 70, 74, 79, 82}},  // G minor
    {33, {52, 57, 61, 64}, {61, 64, 69, 73, 76, 81}},  // A major
}};

enum bassLine { kOffbeats, kDrive, kBounce, kHeld, kEighths, kLastNote };

class bassStep {
 public:
  int step, length, interval;  // sixteenths, sixteenths, semitones over the root
  float velocity = 1;
};

const std::array<std::vector<bassStep>, 6> kBassLines = {{
    {{2, 2, 0}, {6, 2, 0}, {10, 2, 0}, {14, 2, 0}},
    {{0, 2, 0}, {3, 1, 0}, {6, 2, 0}, {8, 1, 12}, {10, 2, 0}, {12, 1, 0}, {14, 2, 12}},
    {{0, 2, 0}, {2, 1, 0}, {4, 2, 12}, {6, 2, 0}, {8, 2, 7}, {10, 1, 0}, {12, 2, 12}, {14, 2, 7}},
    {{0, 16, 0, 0.55f}},
    {{0, 2, 0}, {2, 2, 0}, {4, 2, 0}, {6, 2, 0}, {8, 2, 0}, {10, 2, 0}, {12, 2, 0}, {14, 2, 0}},
    {{0, 12, 0}},
}};

// The drums of one bar, in sixteenths: 'X' accent, 'x' hit, 'o' ghost, '.' rest.
class drumBar {
 public:
  const char* kick;
  const char* snare;
  const char* clap;
  const char* hat;
  const char* openHat;
  bool crash;  // on the downbeat
  const char* toms;  // a fill, falling in pitch
};

// Everything else in one bar. Levels of 0 leave an instrument out.
class harmonyBar {
 public:
  chordName chord;
  chordName secondHalf;  // the chord from the bar's middle on
  bassLine bass;
  float pad;
  double padCutoff;      // pad filter at the bar's start...
  double padCutoffEnd;   // ...and at its end
  float arp;
  double arpCutoff;
  float stabs;           // offbeat chord stabs
};

constexpr const char* kFour = "X...x...x...x...";
constexpr const char* kPickup = "X...x...x...x.x.";
constexpr const char* kBackbeat = "....x.......x...";
constexpr const char* kRunningHat = "xo.oxo.oxo.oxo.x";
constexpr const char* kOffbeatOpen = "..x...x...x...x.";
constexpr const char* kNone = "................";
constexpr const char* kDownbeat = "X...............";
// The bar before the breakdown: half a bar of groove, then the toms.
constexpr const char* kHalfFour = "X...x...x.......";
constexpr const char* kHalfBackbeat = "....x...........";
constexpr const char* kHalfHat = "xo.oxo.o........";
constexpr const char* kHalfOpen = "..x...x.........";
constexpr const char* kTomFill = "........x.x.xxxx";

const std::array<drumBar, kBars> kDrums = {{
    {kFour, "..............ox", kNone, "x.x.x.x.x.x.x.x.", kNone, true, kNone},  // intro
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, true, kNone},        // the hook
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kPickup, "....x.......x.ox", kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, true, kNone},  // the second theme
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kHalfFour, kHalfBackbeat, kHalfBackbeat, kHalfHat, kHalfOpen, false, kTomFill},  // the fill
    {kNone, kNone, kNone, "..o...o...o...o.", kNone, true, kNone},  // breakdown
    {kFour, kNone, kNone, "oooooooooooooooo", kNone, false, kNone},  // build, with the roll added separately
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, true, kNone},  // the hook at full strength
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kFour, kBackbeat, kBackbeat, kRunningHat, kOffbeatOpen, true, kNone},
    {kPickup, "....x.......xxxx", kBackbeat, kRunningHat, kOffbeatOpen, false, kNone},
    {kDownbeat, kDownbeat, kDownbeat, kNone, kNone, true, kNone},  // the last chord
}};

const std::array<harmonyBar, kBars> kHarmony = {{
    {kDm, kDm, kOffbeats, 0.8f, 700, 1200, 0, 0, 0},  // intro
    {kDm, kDm, kDrive, 0.8f, 1300, 1500, 0, 0, 0},    // the hook
    {kBb, kBb, kDrive, 0.8f, 1400, 1600, 0, 0, 0},
    {kF, kF, kDrive, 0.8f, 1500, 1700, 0, 0, 0},
    {kC, kC, kDrive, 0.8f, 1600, 1900, 0, 0, 0},
    {kGm, kGm, kBounce, 0.85f, 1800, 2000, 0.8f, 2200, 0},  // the second theme, with the arpeggio
    {kBb, kBb, kBounce, 0.85f, 1900, 2100, 0.85f, 2500, 0},
    {kDm, kDm, kBounce, 0.85f, 2000, 2300, 0.9f, 2800, 0},
    {kA, kA, kBounce, 0.85f, 2200, 2400, 0.9f, 3000, 0},
    {kBb, kBb, kHeld, 0.75f, 2400, 1500, 0.7f, 1100, 0},  // breakdown: pad, arpeggio and bell alone
    {kC, kA, kEighths, 0.85f, 1200, 6000, 0.85f, 1500, 0},  // build: the filters open
    {kDm, kDm, kDrive, 1.0f, 2600, 2800, 1.0f, 4000, 0.8f},  // the hook at full strength
    {kBb, kBb, kDrive, 1.0f, 2700, 2900, 1.0f, 4200, 0.8f},
    {kF, kF, kDrive, 1.0f, 2800, 3000, 1.0f, 4400, 0.8f},
    {kC, kC, kDrive, 1.0f, 2900, 3200, 1.0f, 4600, 0.8f},
    {kDm, kDm, kLastNote, 1.0f, 3000, 700, 0, 0, 0},  // the last chord
}};

// Where the sections begin, in bars.
constexpr int kHookBar = 1;
constexpr int kThemeBar = 5;
constexpr int kBreakdownBar = 9;
constexpr int kBuildBar = 10;
constexpr int kReturnBar = 11;
constexpr int kLastBar = 15;
constexpr double kLastChordSeconds = 1.8;
constexpr double kStabLength = 0.08;
constexpr double kTomHighHz = 260;  // a fill falls an octave over the bar from here

class melodyStep {
 public:
  int step, length, pitch;  // sixteenths into the bar, sixteenths held
};
using melodyBar = std::vector<melodyStep>;

// The hook, over D minor, B flat, F and C.
const std::array<melodyBar, 4> kHook = {{
    {{0, 3, 74}, {3, 3, 69}, {6, 2, 74}, {8, 2, 77}, {10, 2, 76}, {12, 2, 74}, {14, 2, 72}},
    {{0, 6, 74}, {6, 2, 70}, {8, 4, 65}, {12, 2, 67}, {14, 2, 69}},
    {{0, 3, 69}, {3, 3, 72}, {6, 2, 77}, {8, 2, 76}, {10, 2, 77}, {12, 4, 79}},
    {{0, 6, 76}, {6, 2, 74}, {8, 3, 72}, {11, 1, 74}, {12, 4, 76}},
}};

// The hook's last bar as it comes the second time, turning home to D.
const melodyBar kHookTurn = {{0, 4, 76}, {4, 2, 74}, {6, 2, 72}, {8, 2, 74},
                             {10, 2, 76}, {12, 2, 77}, {14, 2, 76}};

// The second theme, over G minor, B flat, D minor and A.
const std::array<melodyBar, 4> kTheme = {{
    {{0, 3, 74}, {3, 3, 70}, {6, 2, 67}, {8, 2, 69}, {10, 2, 70}, {12, 4, 74}},
    {{0, 6, 77}, {6, 2, 74}, {8, 2, 77}, {10, 2, 79}, {12, 2, 77}, {14, 2, 74}},
    {{0, 6, 81}, {6, 2, 79}, {8, 4, 77}, {12, 2, 76}, {14, 2, 74}},
    {{0, 6, 76}, {6, 2, 73}, {8, 8, 69}},
}};

// A bell answers in the breakdown and the build.
const std::array<melodyBar, 2> kBellCall = {{
    {{0, 4, 77}, {4, 4, 74}, {8, 4, 72}, {12, 4, 70}},
    {{0, 4, 72}, {4, 4, 76}, {8, 8, 73}},
}};

// Up through the chord, down, and up again from the third.
constexpr std::array<int, 16> kArpOrder = {0, 2, 4, 1, 3, 5, 2, 4, 0, 2, 4, 1, 3, 5, 4, 2};

// The D natural minor scale, for the harmony a sixth below the hook: the
// third above, an octave down, lands on chord tones where the hook does.
int sixthBelow(int pitch) {
  constexpr std::array<int, 7> kScale = {2, 4, 5, 7, 9, 10, 0};
  for (size_t degree = 0; degree < kScale.size(); ++degree) {
    if (pitch % 12 != kScale[degree]) continue;
    int up = kScale[(degree + 2) % 7];
    return pitch + (up - pitch % 12 + 12) % 12 - 12;
  }
  return pitch - 9;
}

float stepVelocity(const char* row, int step) {
  switch (row[step]) {
    case 'X': return 1.0f;
    case 'x': return 0.8f;
    case 'o': return 0.45f;
    default: return 0.0f;
  }
}

const chordShape& chordAt(int bar, int step) {
  const harmonyBar& plan = kHarmony[size_t(bar)];
  return kChords[step < 8 ? plan.chord : plan.secondHalf];
}

// How much shorter than written a note is played: detached notes get a new
// attack, legato ones glide into each other.
constexpr double kDetached = 0.03;
constexpr double kLegato = 0.0;

void appendMelody(std::vector<note>* line, int bar, const melodyBar& steps, double shortenBy, float velocity) {
  for (const melodyStep& s : steps) {
    line->push_back(note{stepTime(bar, s.step), s.length * kSixteenth - shortenBy, s.pitch, velocity});
  }
}

// Small, seeded variations in the hats' velocity keep them from sounding
// like a loop.
class humanizer {
 public:
  noiseSource noise{2024};
  float vary(float velocity) { return velocity * float(0.88 + 0.24 * noise.uniform()); }
};

void fadeWithPicture(stereoBuffer* mix) {
  constexpr double kPi = 3.141592653589793;
  for (size_t i = 0; i < mix->frames(); ++i) {
    double x = std::clamp((mix->secondsAt(i) - kScrollerFadeOutStart) / (kScrollerFadeOutEnd - kScrollerFadeOutStart), 0.0, 1.0);
    float gain = float(0.5 * (1.0 + std::cos(kPi * x)));
    mix->left[i] *= gain;
    mix->right[i] *= gain;
  }
}

}  // namespace

stereoBuffer renderScroller() {
  partMix mix(kWordSlamFadeTo, kTrackSeconds);
  mix.reverb.seconds = 2.3;
  mix.echo.seconds = 3 * kSixteenth;  // a dotted eighth
  mix.echo.feedback = 0.38;

  stereoBuffer kicks = mix.track();
  stereoBuffer snares = mix.track();
  stereoBuffer hats = mix.track();
  stereoBuffer cymbals = mix.track();
  stereoBuffer bass = mix.track();
  stereoBuffer pads = mix.track();
  stereoBuffer arp = mix.track();
  stereoBuffer stabs = mix.track();
  stereoBuffer lead = mix.track();
  stereoBuffer bells = mix.track();

  kickSound kick;
  kick.decay = 0.2;
  snareSound snare;
  hatSound closedHat;
  hatSound openHat;
  openHat.decay = 0.16;
  openHat.hz = 8000;
  bassSound bassTone;
  pluckSound arpTone;
  stabSound stabTone;
  stabTone.amp = adsrEnvelope{0.002, 0.05, 0.3, 0.05};
  humanizer human;
  std::vector<double> kickTimes;

  addReversedCymbal(&cymbals, kScrollerStart, 0.6f, kScrollerStart - kWordSlamFadeTo);
  for (int bar = 0; bar < kBars; ++bar) {
    const drumBar& drums = kDrums[size_t(bar)];
    for (int step = 0; step < 16; ++step) {
      double at = stepTime(bar, step);
      if (float v = stepVelocity(drums.kick, step)) {
        addKick(&kicks, at, v, kick);
        kickTimes.push_back(at);
      }
      if (float v = stepVelocity(drums.snare, step)) addSnare(&snares, at, v, 0.0f, snare);
      if (float v = stepVelocity(drums.clap, step)) addClap(&snares, at + 0.004, v, 0.1f);
      if (float v = stepVelocity(drums.hat, step)) addHat(&hats, at, human.vary(v), 0.25f, closedHat);
      if (float v = stepVelocity(drums.openHat, step)) addHat(&hats, at, human.vary(v), -0.3f, openHat);
      if (float v = stepVelocity(drums.toms, step)) {
        double fall = step / 16.0;
        addTom(&snares, at, v, float(0.6 - 1.2 * fall), kTomHighHz * std::pow(0.5, fall));
      }
    }
    // The last crash is the loudest and rings longest.
    if (drums.crash && bar == kLastBar) addCymbal(&cymbals, stepTime(bar, 0), 1.0f, 1.6);
    if (drums.crash && bar != kLastBar) addCymbal(&cymbals, stepTime(bar, 0), 0.75f, 1.1);

    const harmonyBar& plan = kHarmony[size_t(bar)];
    for (const bassStep& b : kBassLines[plan.bass]) {
      const chordShape& chord = chordAt(bar, b.step);
      double length = b.length * kSixteenth * 0.85;
      if (bar == kLastBar) length = kLastChordSeconds;
      addBass(&bass, note{stepTime(bar, b.step), length, chord.bassRoot + b.interval, b.velocity}, 1.0f, bassTone);
    }

    padSound padTone;
    padTone.cutoffFrom = plan.padCutoff;
    padTone.cutoffTo = plan.padCutoffEnd;
    bool split = plan.chord != plan.secondHalf;
    double padLength = (split ? kBar / 2 : kBar) + 0.05;
    if (bar == kLastBar) {
      padLength = kLastChordSeconds;
      padTone.amp.release = 0.9;
    }
    addPadChord(&pads, stepTime(bar, 0), padLength, kChords[plan.chord].pad, plan.pad, padTone);
    if (split) addPadChord(&pads, stepTime(bar, 8), kBar / 2 + 0.05, kChords[plan.secondHalf].pad, plan.pad, padTone);

    if (plan.stabs > 0) {
      for (int step = 2; step < 16; step += 4) {
        std::vector<int> voicing = chordAt(bar, step).pad;
        for (int& pitch : voicing) pitch += 12;
        addStab(&stabs, stepTime(bar, step), kStabLength, voicing, plan.stabs, stabTone);
      }
    }

    if (plan.arp > 0) {
      arpTone.cutoff = plan.arpCutoff * 0.25;
      arpTone.envelopeHz = plan.arpCutoff;
      for (int step = 0; step < 16; ++step) {
        const chordShape& chord = chordAt(bar, step);
        float accent = (step % 4 == 0) ? 1.0f : (step % 2 == 0 ? 0.8f : 0.65f);
        float pan = (step % 2 == 0) ? -0.45f : 0.45f;
        addPluck(&arp, note{stepTime(bar, step), kSixteenth, chord.arp[size_t(kArpOrder[size_t(step)])], accent},
                 plan.arp, pan, arpTone);
      }
    }
  }

  // The build: a snare roll from eighths to thirty-seconds, a riser and a
  // reversed cymbal, all arriving on the downbeat where the hook returns.
  for (int half = 0; half < 32; ++half) {
    double step = half / 2.0;
    bool plays = step >= 12 || (step >= 8 && half % 2 == 0) || half % 4 == 0;
    if (!plays) continue;
    double rise = step / 16.0;
    addSnare(&snares, stepTime(kBuildBar, step), float(0.2 + 0.7 * rise * rise), 0.0f, snare);
  }
  addRiser(&cymbals, stepTime(kBuildBar, 0), stepTime(kReturnBar, 0), 0.35f, 350, 11000);
  addReversedCymbal(&cymbals, stepTime(kReturnBar, 0), 0.5f, kBar);

  // The lead: the hook, the second theme sung legato, and the hook again
  // doubled an octave up and harmonised a sixth below, ending on a long D.
  leadSound leadTone;
  std::vector<note> hook, theme, finale;
  for (int bar = 0; bar < 4; ++bar) appendMelody(&hook, kHookBar + bar, kHook[size_t(bar)], kDetached, 0.9f);
  for (int bar = 0; bar < 4; ++bar) appendMelody(&theme, kThemeBar + bar, kTheme[size_t(bar)], kLegato, 0.9f);
  for (int bar = 0; bar < 3; ++bar) appendMelody(&finale, kReturnBar + bar, kHook[size_t(bar)], kDetached, 1.0f);
  appendMelody(&finale, kReturnBar + 3, kHookTurn, kDetached, 1.0f);
  finale.push_back(note{stepTime(kLastBar, 0), kLastChordSeconds * 0.6, 74, 1.0f});
  addLeadLine(&lead, hook, 1.0f, 0.0f, leadTone);
  addLeadLine(&lead, theme, 1.0f, 0.0f, leadTone);
  addLeadLine(&lead, finale, 1.0f, 0.0f, leadTone);
  std::vector<note> octave = finale, harmony = finale;
  for (note& n : octave) n.pitch += 12;
  for (note& n : harmony) n.pitch = sixthBelow(n.pitch);
  addLeadLine(&lead, octave, 0.3f, 0.4f, leadTone);
  addLeadLine(&lead, harmony, 0.45f, -0.4f, leadTone);

  bellSound bellTone;
  bellTone.ratio = 3.5;
  bellTone.decay = 1.2;
  for (int bar = 0; bar < 2; ++bar) {
    for (const melodyStep& s : kBellCall[size_t(bar)]) {
      float pan = (s.step % 8 == 0) ? -0.25f : 0.25f;
      note struck{stepTime(kBreakdownBar + bar, s.step), s.length * kSixteenth, s.pitch, 1.0f};
      addBell(&bells, struck, 1.0f, pan, bellTone);
    }
  }

  duckSettings padDuck;
  duckSettings bassDuck;
  bassDuck.depth = 0.65f;
  bassDuck.recovery = 0.08;
  duckUnderKicks(&pads, kickTimes, padDuck);
  duckUnderKicks(&arp, kickTimes, padDuck);
  duckUnderKicks(&stabs, kickTimes, padDuck);
  duckUnderKicks(&bass, kickTimes, bassDuck);

  mix.place(kicks, 0.45f, 0.0f, 0.0f);
  mix.place(snares, 0.5f, 0.22f, 0.0f);
  mix.place(hats, 0.35f, 0.08f, 0.0f);
  mix.place(cymbals, 0.4f, 0.15f, 0.0f);
  mix.place(bass, 0.3f, 0.0f, 0.0f);
  mix.place(pads, 0.2f, 0.4f, 0.0f);
  mix.place(arp, 0.2f, 0.2f, 0.35f);
  mix.place(stabs, 0.16f, 0.25f, 0.2f);
  mix.place(lead, 0.3f, 0.22f, 0.25f);
  mix.place(bells, 0.22f, 0.4f, 0.4f);

  stereoBuffer out = mix.finish();
  fadeWithPicture(&out);
  return out;
}
