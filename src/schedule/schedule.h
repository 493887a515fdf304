#pragma once
// The show's schedule: when each scene starts, when each word of the word
// slam appears and when each scene fades. The timeline and the scenes draw
// from it, the synthesizer puts the music's hits on it, and the benchmark
// and the tests read it, so that a word and its drum hit move together.
//
// The types are part of the schedule. The frame loop compares its
// single-precision music time with the scene starts, and the scenes compare
// their single-precision local times with the double offsets below, so the
// first millisecond at which a word shows depends on both: "Kebab!" shows
// from 7101 ms, not 7100.

// The track, in seconds.
constexpr double kTrackSeconds = 49.5;

// The opening: the picture fades in over its first second, and the front
// crag layer swells and snaps back three times a second.
constexpr double kOpeningFadeInSeconds = 1.0;
constexpr double kCragPulsesPerSecond = 3.0;

// The word slam, from kWordSlamStart; its words in seconds after that.
constexpr float kWordSlamStart = 6.5f;
constexpr double kDirtyAfter = 0.3;
constexpr double kKebabAfter = 0.6;
// The "Tscha!" column grows one word every kTschaSpacing from
// kFirstTschaAfter, while a single-precision sum of the spacing stays
// below kTschaColumnEnd.
constexpr double kFirstTschaAfter = 1.0;
constexpr double kTschaSpacing = 0.15;
constexpr float kTschaColumnEnd = 1.5f;
constexpr double kBaAfter = 2.7;
constexpr double kSlamAfter = 2.8;
// From kWordSlamFadeAfter the picture's alpha is
// kWordSlamFadeRate * (kWordSlamFadeSeconds - time since then): it starts
// at 3, which the GL clamps to 1, and reaches 0 kWordSlamFadeSeconds later.
constexpr double kWordSlamFadeAfter = 3.0;
constexpr double kWordSlamFadeRate = 3.0;
constexpr double kWordSlamFadeSeconds = 1.0;

// The scroller, from kScrollerStart to the end: it fades in at
// kScrollerFadeInRate alpha a second and out over kScrollerFadeOutSeconds.
constexpr float kScrollerStart = 11.0f;
constexpr double kScrollerFadeInRate = 2.0;
constexpr double kScrollerFadeOutStart = 47.9;
constexpr double kScrollerFadeOutSeconds = 1.0;

// The same moments in seconds of track time, for the music and the tests.
constexpr double kQuickAt = kWordSlamStart;
constexpr double kDirtyAt = kWordSlamStart + kDirtyAfter;
constexpr double kKebabAt = kWordSlamStart + kKebabAfter;
constexpr double kFirstTschaAt = kWordSlamStart + kFirstTschaAfter;
constexpr double kBaAt = kWordSlamStart + kBaAfter;
constexpr double kSlamAt = kWordSlamStart + kSlamAfter;
// The word slam visibly darkens from here (alpha below 1) and is black here.
constexpr double kWordSlamFadeFrom =
    kWordSlamStart + (kWordSlamFadeAfter + kWordSlamFadeSeconds - 1.0 / kWordSlamFadeRate);
constexpr double kWordSlamFadeTo = kWordSlamStart + kWordSlamFadeAfter + kWordSlamFadeSeconds;
constexpr double kScrollerFadeOutEnd = kScrollerFadeOutStart + kScrollerFadeOutSeconds;

// How many words the "Tscha!" column holds: its sum runs in single
// precision, so the eleventh value is 1.4999999 and still below the end.
constexpr int tschaColumnLength() {
  int words = 0;
  for (float b = 0; b < kTschaColumnEnd; b = float(b + kTschaSpacing)) ++words;
  return words;
}
constexpr int kTschaCount = tschaColumnLength();
