#pragma once
// The demo's whole track: the three parts summed, limited and quantised to
// 16-bit stereo.

#include <cstdint>
#include <vector>

#include "kept_parts.h"

// Called as each stage of the render finishes, for the progress line:
// `kept` for a part read from the kept parts rather than played.
using progressReport = void (*)(const char* stage, bool kept, int done, int total);

// The opening, the word slam and the scroller.
const std::vector<trackPart>& demoTrackParts();

// Interleaved stereo at the synthesizer's rate, kTrackSeconds long. With
// `kept`, whose keys are read, the parts kept there under their keys are
// read instead of played, and the others are kept there.
std::vector<int16_t> renderDemoTrack(progressReport report, const keptParts* kept = nullptr);
