#pragma once
// Text as one word for the shell that popen starts ffmpeg through.

#include <string>

std::string shellWord(const std::string& text);
