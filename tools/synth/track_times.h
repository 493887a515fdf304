#pragma once
// The times at which the pictures change, in seconds of track time. The
// music is written against these, so a hit lands where the picture moves.

constexpr double kTrackSeconds = 49.5;

// The opening: the picture fades in over the first second, and its front
// crag layer swells and snaps back three times a second.
constexpr double kOpeningFadeIn = 1.0;
constexpr double kCragPulsesPerSecond = 3.0;

// The word slam: one hit per word.
constexpr double kWordSlamStart = 6.5;
constexpr double kQuickAt = 6.5;
constexpr double kDirtyAt = 6.8;
constexpr double kKebabAt = 7.1;
constexpr double kFirstTschaAt = 7.5;
constexpr double kTschaSpacing = 0.15;
constexpr int kTschaCount = 11;
constexpr double kBaAt = 9.2;
constexpr double kSlamAt = 9.3;
constexpr double kWordSlamFadeFrom = kWordSlamStart + 11.0 / 3.0;
constexpr double kWordSlamFadeTo = 10.5;

// The scroller, from its start to the end of its fade-out.
constexpr double kScrollerStart = 11.0;
constexpr double kScrollerFadeFrom = 47.9;
constexpr double kScrollerFadeTo = 48.9;
