#pragma once
// A video's frames as a 1024 x 768 screen shows them, read through ffmpeg:
// scaled to fit, with black bars where its shape differs.

#include <cstdio>
#include <string>
#include <vector>

class videoFrames {
 public:
  // Frames a second, as the video's stream gives them.
  double fps = 0;
  FILE* ffmpeg = nullptr;

  // Starts reading the video at `path`; false if it has no video stream.
  bool open(const std::string& path);
  // The next frame's RGB bytes, rows from the top; false at the end.
  bool next(std::vector<unsigned char>* rgb);
  // Whether ffmpeg read the whole file well.
  bool close();
};
