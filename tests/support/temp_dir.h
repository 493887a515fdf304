#pragma once
// A fresh folder under /tmp for one test, and small file helpers.

#include <string>

// Makes a new empty folder and returns its path.
std::string makeTempDir();

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
