#pragma once
// Where a second flashed, as a picture to look at: its last frame, dimmed,
// with each cell that flashed more than three times in it red, each that
// flashed two or three times amber, and a field outlined in white.

#include <string>
#include <vector>

#include "flash_seconds.h"

// Writes the picture of the 1024 x 768 screen `rgb` (three bytes a pixel,
// rows from the top), the flashes of each of its cells and `field`, as a PNG
// through ffmpeg; false if it could not.
bool writeFlashPicture(const std::string& path, const std::vector<unsigned char>& rgb,
                       const std::vector<int>& flashesByCell, const screenField& field);
