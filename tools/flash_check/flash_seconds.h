#pragma once
// Flashes counted a second at a time, as the photosensitivity guidelines
// count them: a flash is a pair of opposing transitions, and a second fails
// when more than three flashes in it cover a quarter or more of some
// 10-degree field of view. On a 1024 x 768 screen seen from a normal
// distance, that field is 341 x 256 pixels; a flash smaller than a quarter
// of it (a small flashing corner) is allowed.

#include <deque>
#include <vector>

#include "cell_transitions.h"

constexpr int kMostFlashesASecond = 3;

// A field of the screen, in its pixels.
struct screenField {
  int x, y, width, height;
};

// The second with the most flashes over a quarter of a field.
struct worstSecond {
  int flashes = 0;
  // Its first frame, from 0.
  int firstFrame = 0;
  screenField field = {0, 0, 0, 0};
};

class flashSeconds {
 public:
  int framesASecond;
  worstSecond worst;
  // The first frame of the first second that fails, and the last frame of
  // the last; -1 while none has.
  int failingFrom = -1, failingTo = -1;

  explicit flashSeconds(int framesASecond);

  // Takes the transitions the cells made with the next frame.
  void add(const std::vector<signed char>& transitions);

 private:
  // The transitions of the last second's frames, and each cell's count of them.
  std::deque<std::vector<signed char>> lastSecond;
  std::vector<int> counts;
  int frames = 0;

  // The most flashes that a quarter of some field has each, in the second
  // that ends with the frame just added, and that field.
  int flashesOverAQuarter(screenField* where) const;
};
