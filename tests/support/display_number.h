#pragma once
// An X server started with "-displayfd 1" picks a free display and writes
// its number on standard output once it takes clients.

#include <string>

// Waits up to 15 s for the number in the file the server's standard output
// goes to: ":N", or empty if none came.
std::string chosenDisplay(const std::string& outputPath);
