#pragma once
// Plays instruments at once, each on a thread of its own, and returns once
// all have finished. Kept out of the parts' files: the threads' templates
// are slow to compile, and the parts are compiled again whenever the
// schedule changes.

#include <functional>
#include <vector>

void playTogether(const std::vector<std::function<void()>>& instruments);
