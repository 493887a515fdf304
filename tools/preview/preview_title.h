#pragma once
// The preview's window title, which says all there is to say about the
// moment shown, so that nothing covers the picture.

#include <string>
#include <vector>

#include "preview_keys.h"

// "8.801 s | word slam | paused | looping | frame 16.7 ms", and after it
// each of `notes`: what is being made, and the last line of what failed.
std::string previewTitle(const previewState& state, double frameSeconds, const std::vector<std::string>& notes);
