#pragma once
// The preview's window title, which says all there is to say about the
// moment shown, so that nothing covers the picture.

#include <string>

#include "preview_keys.h"

// "8.801 s | word slam | paused | looping | frame 16.7 ms", with the line
// of the last file that did not load again after it.
std::string previewTitle(const previewState& state, double frameSeconds, const std::string& reloadLine);
