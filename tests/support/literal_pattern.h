#pragma once
// A regular expression that matches one text and nothing else, for tests
// that match a printed line some parts of which they leave open.

#include <regex>
#include <string>

inline std::string literalPattern(const std::string& text) {
  return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}
