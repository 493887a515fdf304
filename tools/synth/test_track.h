#pragma once
// The tests' short track: 1.5 s of a 440 Hz sine on the left and 550 Hz on
// the right at half of full scale, with 10 ms ramps at both ends. Tests that
// decode it check length, level and channel order against these numbers.

#include <cstdint>
#include <vector>

constexpr double kTestTrackSeconds = 1.5;
constexpr double kTestTrackLeftHz = 440;
constexpr double kTestTrackRightHz = 550;

// Interleaved stereo at the synthesizer's rate.
std::vector<int16_t> makeTestTrack();
