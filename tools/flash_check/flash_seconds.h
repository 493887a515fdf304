#pragma once
// Flashes counted a second at a time, as the photosensitivity guidelines
// count them: a flash is a pair of opposing transitions, and a second has
// as many flashes as enough of the screen has at least. Two rules read them:
//   WCAG 2.3.1: no second may have more than three flashes over a quarter of
//     some 10-degree field of view. On a 1024 x 768 screen seen from a normal
//     distance that field is 341 x 256 pixels; a flash smaller than a quarter
//     of it (a small flashing corner) is allowed.
//   broadcast: no second may have more than three flashes over a quarter of
//     the whole screen, wherever on it they are; and flashes at two or three
//     a second over a quarter of the screen may not go on for 5 s or more.

#include <deque>
#include <vector>

#include "cell_transitions.h"

constexpr int kMostFlashesASecond = 3;
constexpr int kFewestHeldFlashesASecond = 2;
constexpr int kLongestHeldSeconds = 5;

// A field of the screen, in its pixels.
struct screenField {
  int x, y, width, height;
};

// The second with the most flashes over a quarter of a field (or of the
// screen, which is then the field).
struct worstSecond {
  int flashes = 0;
  // Its first frame, from 0.
  int firstFrame = 0;
  screenField field = {0, 0, 0, 0};
};

// Frames from the first to the last of a run; empty while `frames` is 0.
struct frameSpan {
  int firstFrame = -1, lastFrame = -1;
  int frames() const { return firstFrame < 0 ? 0 : lastFrame - firstFrame + 1; }
};

class flashSeconds {
 public:
  int framesASecond;
  // WCAG 2.3.1's 10-degree fields: the worst second, and the frames from the
  // first of the first second that fails to the last of the last.
  worstSecond worst;
  frameSpan failing;
  // The same over a quarter of the whole screen.
  worstSecond worstOverScreen;
  frameSpan failingOverScreen;
  // The longest run of seconds, one after another, each with at least two
  // flashes over a quarter of the screen: from the first frame of its first
  // second to the last frame of its last.
  frameSpan longestHeld;
  // Each cell's flashes in the worst second over a 10-degree field, and the
  // number of the frame that ended it: where to look.
  std::vector<int> worstFlashesByCell;
  int worstLastFrame = -1;

  explicit flashSeconds(int framesASecond);

  // Takes the transitions the cells made with the next frame.
  void add(const std::vector<signed char>& transitions);
  // Whether the seconds so far pass each rule.
  bool passesWcag() const;
  bool passesBroadcast() const;

 private:
  // The transitions of the last second's frames, and each cell's count of them.
  std::deque<std::vector<signed char>> lastSecond;
  std::vector<int> counts;
  int frames = 0;
  frameSpan held;

  // The most flashes that a quarter of some field has each, in the second
  // that ends with the frame just added, and that field.
  int flashesOverAQuarter(screenField* where) const;
  // The most flashes that a quarter of the screen's cells have each.
  int flashesOverAQuarterOfTheScreen() const;
};
