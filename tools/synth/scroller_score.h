#pragma once
// The scroller's score: sixteen bars at 100 BPM of chords, bass lines, drum
// patterns, melodies and the bars where each section begins. Data only;
// scroller_part.cpp plays it.

#include <array>
#include <vector>

namespace scrollerScore {

constexpr double kBeat = 0.6;  // 100 BPM
constexpr double kSixteenth = kBeat / 4;
constexpr double kBar = 4 * kBeat;
constexpr int kBars = 16;

class chordShape {
 public:
  int bassRoot;
  std::vector<int> pad;
  std::array<int, 6> arp;  // two octaves of chord tones
};

enum chordName { kDm, kBb, kF, kC, kGm, kA };

inline const std::array<chordShape, 6> kChords = {{
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

inline const std::array<std::vector<bassStep>, 6> kBassLines = {{
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

inline const std::array<drumBar, kBars> kDrums = {{
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

inline const std::array<harmonyBar, kBars> kHarmony = {{
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
inline const std::array<melodyBar, 4> kHook = {{
    {{0, 3, 74}, {3, 3, 69}, {6, 2, 74}, {8, 2, 77}, {10, 2, 76}, {12, 2, 74}, {14, 2, 72}},
    {{0, 6, 74}, {6, 2, 70}, {8, 4, 65}, {12, 2, 67}, {14, 2, 69}},
    {{0, 3, 69}, {3, 3, 72}, {6, 2, 77}, {8, 2, 76}, {10, 2, 77}, {12, 4, 79}},
    {{0, 6, 76}, {6, 2, 74}, {8, 3, 72}, {11, 1, 74}, {12, 4, 76}},
}};

// The hook's last bar as it comes the second time, turning home to D.
inline const melodyBar kHookTurn = {{0, 4, 76}, {4, 2, 74}, {6, 2, 72}, {8, 2, 74},
                             {10, 2, 76}, {12, 2, 77}, {14, 2, 76}};

// The second theme, over G minor, B flat, D minor and A.
inline const std::array<melodyBar, 4> kTheme = {{
    {{0, 3, 74}, {3, 3, 70}, {6, 2, 67}, {8, 2, 69}, {10, 2, 70}, {12, 4, 74}},
    {{0, 6, 77}, {6, 2, 74}, {8, 2, 77}, {10, 2, 79}, {12, 2, 77}, {14, 2, 74}},
    {{0, 6, 81}, {6, 2, 79}, {8, 4, 77}, {12, 2, 76}, {14, 2, 74}},
    {{0, 6, 76}, {6, 2, 73}, {8, 8, 69}},
}};

// A bell answers in the breakdown and the build.
inline const std::array<melodyBar, 2> kBellCall = {{
    {{0, 4, 77}, {4, 4, 74}, {8, 4, 72}, {12, 4, 70}},
    {{0, 4, 72}, {4, 4, 76}, {8, 8, 73}},
}};

// Up through the chord, down, and up again from the third.
constexpr std::array<int, 16> kArpOrder = {0, 2, 4, 1, 3, 5, 2, 4, 0, 2, 4, 1, 3, 5, 4, 2};

}  // namespace scrollerScore
