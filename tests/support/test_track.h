#pragma once
// The tests' short track, and what it holds.

constexpr const char* kTestTrack = VORLANE_TEST_TRACK;
constexpr double kTestTrackSeconds = 1.5;
constexpr double kTestTrackRms = 0.5 / 1.41421356;  // a sine at half of full scale
