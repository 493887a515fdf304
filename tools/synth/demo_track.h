#pragma once
// The demo's whole track: the three parts summed, limited and quantised to
// 16-bit stereo.

#include <cstdint>
#include <vector>

// Called as each stage of the render finishes, for the progress line.
using progressReport = void (*)(const char* stage, int done, int total);

// Interleaved stereo at the synthesizer's rate, kTrackSeconds long.
std::vector<int16_t> renderDemoTrack(progressReport report);
