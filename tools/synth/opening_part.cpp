#include "opening_part.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "drum_kit.h"
#include "filters.h"
#include "instruments.h"
#include "part_mix.h"
#include "schedule/schedule.h"

namespace {

// Everything stops a sixteenth before the first word: the silence makes the
// slam land harder.
constexpr double kOpeningStops = kWordSlamStart - 0.15;
constexpr double kPulse = 1.0 / kCragPulsesPerSecond;
constexpr int kPulses = 19;           // the pulses up to the stop
constexpr float kPulseFloor = 0.15f;  // level of the pad just after a pulse
constexpr double kRiserFrom = 3.5;
// The snare roll into the word slam, in pulses: it doubles its rate twice.
constexpr std::array<double, 8> kRollPulses = {15, 16, 17, 17.5, 18, 18.25, 18.5, 18.75};

// D minor with a ninth, spread wide.
const std::vector<int> kPadChord = {50, 57, 65, 72, 76};
constexpr int kDroneNote = 38;
constexpr std::array<int, 8> kPluckNotes = {62, 69, 72, 76, 77, 76, 72, 69};

// The opening's mix.
constexpr mixLevels kPadMix{0.34f, 0.25f, 0.0f};
constexpr mixLevels kDroneMix{0.2f, 0.0f, 0.0f};
constexpr mixLevels kPluckMix{0.12f, 0.35f, 0.4f};
constexpr mixLevels kDrumMix{0.35f, 0.1f, 0.0f};
constexpr mixLevels kRollMix{0.55f, 0.3f, 0.0f};

// Rises through each pulse and drops back at the next one, as the front crag
// does; a millisecond of smoothing takes the click out of the drop.
void pulseWithCrag(stereoBuffer* sound) {
  onePoleFilter smooth(160);
  sound->applyGain([&smooth](double t) {
    double phase = t * kCragPulsesPerSecond;
    return smooth.lowpass(kPulseFloor + (1.0 - kPulseFloor) * (phase - std::floor(phase)));
  });
}

// Fades in with the picture, and out over the last moments before the stop
// so that no tail runs into the silence.
void fadeOpening(stereoBuffer* mix) {
  constexpr double kCut = 0.06;
  mix->applyGain([](double t) {
    double gain = std::min(1.0, t / kOpeningFadeInSeconds);
    return gain * std::clamp((kOpeningStops + kCut - t) / kCut, 0.0, 1.0);
  });
}

// The held chord, opening its filter over the whole opening.
stereoBuffer pulsingPad(const partMix& mix) {
  stereoBuffer pad = mix.track();
  padSound padTone;
  padTone.cutoffFrom = 350;
  padTone.cutoffTo = 3200;
  padTone.amp = adsrEnvelope{1.2, 1.0, 1.0, 0.05};
  addPadChord(&pad, 0.0, kOpeningStops, kPadChord, 1.0f, padTone);
  pulseWithCrag(&pad);
  return pad;
}

// A low D under it, pulsing the same way.
stereoBuffer pulsingDrone(const partMix& mix) {
  stereoBuffer drone = mix.track();
  bassSound droneTone;
  droneTone.cutoff = 140;
  droneTone.envelopeHz = 0;
  droneTone.sub = 0.9;
  droneTone.amp = adsrEnvelope{2.5, 1.0, 1.0, 0.05};
  addBass(&drone, note{0.0, kOpeningStops, kDroneNote, 1.0f}, 1.0f, droneTone);
  pulseWithCrag(&drone);
  return drone;
}

// A glassy pluck on every pulse, swinging left and right.
stereoBuffer glassPlucks(const partMix& mix) {
  stereoBuffer plucks = mix.track();
  bellSound glass;
  glass.index = 2.2;
  glass.decay = 0.7;
  for (int n = 0; n < kPulses; ++n) {
    float accent = (n % 2 == 0) ? 1.0f : 0.7f;
    float pan = (n % 2 == 0) ? -0.35f : 0.35f;
    addBell(&plucks, note{n * kPulse, kPulse, kPluckNotes[size_t(n) % kPluckNotes.size()], accent}, 1.0f, pan,
            glass);
  }
  return plucks;
}

// A muffled heartbeat once a second, then hats on the pulses, then between.
stereoBuffer heartbeatAndTicks(const partMix& mix) {
  stereoBuffer drums = mix.track();
  kickSound heartbeat;
  heartbeat.startHz = 110;
  heartbeat.endHz = 44;
  heartbeat.decay = 0.2;
  heartbeat.click = 0.05;
  for (int n = 3; n < kPulses; n += 3) addKick(&drums, n * kPulse, 0.45f + 0.03f * n, heartbeat);
  hatSound tick;
  tick.decay = 0.03;
  for (int n = 9; n < kPulses; ++n) {
    addHat(&drums, n * kPulse, 0.25f, 0.3f, tick);
    if (n >= 12) addHat(&drums, (n + 0.5) * kPulse, 0.15f, -0.3f, tick);
  }
  return drums;
}

// The snare roll and the riser into the word slam.
stereoBuffer rollIntoTheSlam(const partMix& mix) {
  stereoBuffer roll = mix.track();
  snareSound rollSnare;
  rollSnare.noiseDecay = 0.09;
  for (double at : kRollPulses) {
    double rise = (at - kRollPulses.front()) / (kRollPulses.back() - kRollPulses.front());
    addSnare(&roll, at * kPulse, float(0.25 + 0.55 * rise), 0.0f, rollSnare);
  }
  addRiser(&roll, kRiserFrom, kOpeningStops, 0.5f, 250, 9000);
  return roll;
}

}  // namespace

stereoBuffer renderOpening() {
  partMix mix(0.0, kWordSlamStart);
  mix.reverb.seconds = 3.2;
  mix.reverb.size = 1.3;
  mix.echo.seconds = 0.5;
  mix.echo.feedback = 0.45;

  mix.place(pulsingPad(mix), kPadMix);
  mix.place(pulsingDrone(mix), kDroneMix);
  mix.place(glassPlucks(mix), kPluckMix);
  mix.place(heartbeatAndTicks(mix), kDrumMix);
  mix.place(rollIntoTheSlam(mix), kRollMix);

  stereoBuffer out = mix.finish();
  fadeOpening(&out);
  return out;
}
