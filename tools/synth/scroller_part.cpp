#include "scroller_part.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "drum_kit.h"
#include "instruments.h"
#include "noise_source.h"
#include "part_mix.h"
#include "play_together.h"
#include "scroller_score.h"
#include "sidechain.h"
#include "schedule/schedule.h"

namespace {

using namespace scrollerScore;

// When a step of a bar sounds, in track seconds.
double stepTime(int bar, double step) { return kScrollerStart + bar * kBar + step * kSixteenth; }

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

// The scroller fades out with the picture, on a cosine.
void fadeWithPicture(stereoBuffer* mix) {
  constexpr double kPi = 3.141592653589793;
  mix->applyGain([](double t) {
    double x = std::clamp((t - kScrollerFadeOutStart) / (kScrollerFadeOutEnd - kScrollerFadeOutStart), 0.0, 1.0);
    return float(0.5 * (1.0 + std::cos(kPi * x)));
  });
}

// The scroller's instruments, each in a buffer of its own, and where its
// kicks fall, for the ducking.
class scrollerTracks {
 public:
  stereoBuffer kicks, snares, hats, cymbals, bass, pads, arp, stabs, lead, bells;
  std::vector<double> kickTimes;

  explicit scrollerTracks(const partMix& mix)
      : kicks(mix.track()), snares(mix.track()), hats(mix.track()), cymbals(mix.track()), bass(mix.track()),
        pads(mix.track()), arp(mix.track()), stabs(mix.track()), lead(mix.track()), bells(mix.track()) {}
};

// The scroller's mix, in the order the instruments are placed.
constexpr mixLevels kKickMix{0.45f, 0.0f, 0.0f};
constexpr mixLevels kSnareMix{0.5f, 0.22f, 0.0f};
constexpr mixLevels kHatMix{0.35f, 0.08f, 0.0f};
constexpr mixLevels kCymbalMix{0.4f, 0.15f, 0.0f};
constexpr mixLevels kBassMix{0.3f, 0.0f, 0.0f};
constexpr mixLevels kPadMix{0.2f, 0.4f, 0.0f};
constexpr mixLevels kArpMix{0.2f, 0.2f, 0.35f};
constexpr mixLevels kStabMix{0.16f, 0.25f, 0.2f};
constexpr mixLevels kLeadMix{0.3f, 0.22f, 0.25f};
constexpr mixLevels kBellMix{0.22f, 0.4f, 0.4f};

// The drum pattern of every bar, the crashes on the downbeats, and a
// reversed cymbal swelling into the first bar.
void addDrums(scrollerTracks* tracks) {
  kickSound kick;
  kick.decay = 0.2;
  snareSound snare;
  hatSound closedHat;
  hatSound openHat;
  openHat.decay = 0.16;
  openHat.hz = 8000;
  humanizer human;
  addReversedCymbal(&tracks->cymbals, kScrollerStart, 0.6f, kScrollerStart - kWordSlamFadeTo);
  for (int bar = 0; bar < kBars; ++bar) {
    const drumBar& drums = kDrums[size_t(bar)];
    for (int step = 0; step < 16; ++step) {
      double at = stepTime(bar, step);
      if (float v = stepVelocity(drums.kick, step)) {
        addKick(&tracks->kicks, at, v, kick);
        tracks->kickTimes.push_back(at);
      }
      if (float v = stepVelocity(drums.snare, step)) addSnare(&tracks->snares, at, v, 0.0f, snare);
      if (float v = stepVelocity(drums.clap, step)) addClap(&tracks->snares, at + 0.004, v, 0.1f);
      if (float v = stepVelocity(drums.hat, step)) addHat(&tracks->hats, at, human.vary(v), 0.25f, closedHat);
      if (float v = stepVelocity(drums.openHat, step)) addHat(&tracks->hats, at, human.vary(v), -0.3f, openHat);
      if (float v = stepVelocity(drums.toms, step)) {
        double fall = step / 16.0;
        addTom(&tracks->snares, at, v, float(0.6 - 1.2 * fall), kTomHighHz * std::pow(0.5, fall));
      }
    }
    // The last crash is the loudest and rings longest.
    if (drums.crash && bar == kLastBar) addCymbal(&tracks->cymbals, stepTime(bar, 0), 1.0f, 1.6);
    if (drums.crash && bar != kLastBar) addCymbal(&tracks->cymbals, stepTime(bar, 0), 0.75f, 1.1);
  }
}

// The bass line of every bar, on the chord's root; the last note is held.
void addBassLine(stereoBuffer* bass) {
  bassSound bassTone;
  for (int bar = 0; bar < kBars; ++bar) {
    for (const bassStep& b : kBassLines[kHarmony[size_t(bar)].bass]) {
      const chordShape& chord = chordAt(bar, b.step);
      double length = b.length * kSixteenth * 0.85;
      if (bar == kLastBar) length = kLastChordSeconds;
      addBass(bass, note{stepTime(bar, b.step), length, chord.bassRoot + b.interval, b.velocity}, 1.0f, bassTone);
    }
  }
}

// The pad holds each bar's chord, or its two halves', through a filter
// that moves over the bar.
void addPads(stereoBuffer* pads) {
  for (int bar = 0; bar < kBars; ++bar) {
    const harmonyBar& plan = kHarmony[size_t(bar)];
    padSound padTone;
    padTone.cutoffFrom = plan.padCutoff;
    padTone.cutoffTo = plan.padCutoffEnd;
    bool split = plan.chord != plan.secondHalf;
    double padLength = (split ? kBar / 2 : kBar) + 0.05;
    if (bar == kLastBar) {
      padLength = kLastChordSeconds;
      padTone.amp.release = 0.9;
    }
    addPadChord(pads, stepTime(bar, 0), padLength, kChords[plan.chord].pad, plan.pad, padTone);
    if (split) addPadChord(pads, stepTime(bar, 8), kBar / 2 + 0.05, kChords[plan.secondHalf].pad, plan.pad, padTone);
  }
}

// Offbeat chord stabs an octave up, in the bars that have them.
void addStabs(stereoBuffer* stabs) {
  stabSound stabTone;
  stabTone.amp = adsrEnvelope{0.002, 0.05, 0.3, 0.05};
  for (int bar = 0; bar < kBars; ++bar) {
    const harmonyBar& plan = kHarmony[size_t(bar)];
    if (plan.stabs <= 0) continue;
    for (int step = 2; step < 16; step += 4) {
      std::vector<int> voicing = chordAt(bar, step).pad;
      for (int& pitch : voicing) pitch += 12;
      addStab(stabs, stepTime(bar, step), kStabLength, voicing, plan.stabs, stabTone);
    }
  }
}

// The arpeggio in sixteenths through two octaves of the chord, accented on
// the beats and swinging between the speakers.
void addArpeggio(stereoBuffer* arp) {
  pluckSound arpTone;
  for (int bar = 0; bar < kBars; ++bar) {
    const harmonyBar& plan = kHarmony[size_t(bar)];
    if (plan.arp <= 0) continue;
    arpTone.cutoff = plan.arpCutoff * 0.25;
    arpTone.envelopeHz = plan.arpCutoff;
    for (int step = 0; step < 16; ++step) {
      const chordShape& chord = chordAt(bar, step);
      float accent = (step % 4 == 0) ? 1.0f : (step % 2 == 0 ? 0.8f : 0.65f);
      float pan = (step % 2 == 0) ? -0.45f : 0.45f;
      addPluck(arp, note{stepTime(bar, step), kSixteenth, chord.arp[size_t(kArpOrder[size_t(step)])], accent},
               plan.arp, pan, arpTone);
    }
  }
}

// The build: a snare roll from eighths to thirty-seconds, a riser and a
// reversed cymbal, all arriving on the downbeat where the hook returns.
void addBuild(scrollerTracks* tracks) {
  snareSound snare;
  for (int half = 0; half < 32; ++half) {
    double step = half / 2.0;
    bool plays = step >= 12 || (step >= 8 && half % 2 == 0) || half % 4 == 0;
    if (!plays) continue;
    double rise = step / 16.0;
    addSnare(&tracks->snares, stepTime(kBuildBar, step), float(0.2 + 0.7 * rise * rise), 0.0f, snare);
  }
  addRiser(&tracks->cymbals, stepTime(kBuildBar, 0), stepTime(kReturnBar, 0), 0.35f, 350, 11000);
  addReversedCymbal(&tracks->cymbals, stepTime(kReturnBar, 0), 0.5f, kBar);
}

// The lead: the hook, the second theme sung legato, and the hook again
// doubled an octave up and harmonised a sixth below, ending on a long D.
void addLead(stereoBuffer* lead) {
  leadSound leadTone;
  std::vector<note> hook, theme, finale;
  for (int bar = 0; bar < 4; ++bar) appendMelody(&hook, kHookBar + bar, kHook[size_t(bar)], kDetached, 0.9f);
  for (int bar = 0; bar < 4; ++bar) appendMelody(&theme, kThemeBar + bar, kTheme[size_t(bar)], kLegato, 0.9f);
  for (int bar = 0; bar < 3; ++bar) appendMelody(&finale, kReturnBar + bar, kHook[size_t(bar)], kDetached, 1.0f);
  appendMelody(&finale, kReturnBar + 3, kHookTurn, kDetached, 1.0f);
  finale.push_back(note{stepTime(kLastBar, 0), kLastChordSeconds * 0.6, 74, 1.0f});
  addLeadLine(lead, hook, 1.0f, 0.0f, leadTone);
  addLeadLine(lead, theme, 1.0f, 0.0f, leadTone);
  addLeadLine(lead, finale, 1.0f, 0.0f, leadTone);
  std::vector<note> octave = finale, harmony = finale;
  for (note& n : octave) n.pitch += 12;
  for (note& n : harmony) n.pitch = sixthBelow(n.pitch);
  addLeadLine(lead, octave, 0.3f, 0.4f, leadTone);
  addLeadLine(lead, harmony, 0.45f, -0.4f, leadTone);
}

// A bell answers in the breakdown and the build.
void addBellCall(stereoBuffer* bells) {
  bellSound bellTone;
  bellTone.ratio = 3.5;
  bellTone.decay = 1.2;
  for (int bar = 0; bar < 2; ++bar) {
    for (const melodyStep& s : kBellCall[size_t(bar)]) {
      float pan = (s.step % 8 == 0) ? -0.25f : 0.25f;
      note struck{stepTime(kBreakdownBar + bar, s.step), s.length * kSixteenth, s.pitch, 1.0f};
      addBell(bells, struck, 1.0f, pan, bellTone);
    }
  }
}

// The harmony breathes with the kicks; the bass dips deeper and comes back faster.
void duckUnderTheKicks(scrollerTracks* tracks) {
  duckSettings padDuck;
  duckSettings bassDuck;
  bassDuck.depth = 0.65f;
  bassDuck.recovery = 0.08;
  duckUnderKicks(&tracks->pads, tracks->kickTimes, padDuck);
  duckUnderKicks(&tracks->arp, tracks->kickTimes, padDuck);
  duckUnderKicks(&tracks->stabs, tracks->kickTimes, padDuck);
  duckUnderKicks(&tracks->bass, tracks->kickTimes, bassDuck);
}

}  // namespace

stereoBuffer renderScroller() {
  partMix mix(kWordSlamFadeTo, kTrackSeconds);
  mix.reverb.seconds = 2.3;
  mix.echo.seconds = 3 * kSixteenth;  // a dotted eighth
  mix.echo.feedback = 0.38;

  scrollerTracks tracks(mix);
  // The instruments are played at once, each into its own buffers, in the
  // order it always has: the same samples, sooner on a machine of several
  // cores. The build plays into the drums' buffers, after them.
  playTogether({[&tracks] {
                  addDrums(&tracks);
                  addBuild(&tracks);
                },
                [&tracks] { addBassLine(&tracks.bass); }, [&tracks] { addPads(&tracks.pads); },
                [&tracks] { addStabs(&tracks.stabs); }, [&tracks] { addArpeggio(&tracks.arp); },
                [&tracks] { addLead(&tracks.lead); }, [&tracks] { addBellCall(&tracks.bells); }});
  duckUnderTheKicks(&tracks);

  mix.place(tracks.kicks, kKickMix);
  mix.place(tracks.snares, kSnareMix);
  mix.place(tracks.hats, kHatMix);
  mix.place(tracks.cymbals, kCymbalMix);
  mix.place(tracks.bass, kBassMix);
  mix.place(tracks.pads, kPadMix);
  mix.place(tracks.arp, kArpMix);
  mix.place(tracks.stabs, kStabMix);
  mix.place(tracks.lead, kLeadMix);
  mix.place(tracks.bells, kBellMix);

  stereoBuffer out = mix.finish();
  fadeWithPicture(&out);
  return out;
}
