#pragma once
// The transitions each cell of the screen makes, frame by frame: a change of
// its light, up or down, large enough to count as half of a flash. A cell
// that keeps changing the same way is one transition, however slow, which
// ends at its brightest (or darkest) point; the next one goes the other way.
//   general: relative luminance changes by 0.1 (a tenth of white) or more,
//            and the darker state is below 0.8;
//   red:     the red measure changes by more than 20, and the redder state
//            is saturated red.

#include <vector>

#include "screen_cells.h"

enum class flashKind { general, red };

class cellTransitions {
 public:
  flashKind kind;

  explicit cellTransitions(flashKind kind);

  // The transition each cell made with this frame: +1 up, -1 down, 0 none.
  // The first frame makes none.
  const std::vector<signed char>& step(const screenCells& cells);

 private:
  struct cellState {
    // The way the last transition went; 0 before the first.
    signed char direction;
    // Since the last transition, its furthest point; before the first, the
    // lowest and the highest seen. The higher ones with whether they were
    // saturated red.
    float furthest, lowest, highest;
    bool furthestSaturated, highestSaturated;
  };
  std::vector<cellState> states;
  std::vector<signed char> made;

  // Whether a change between a lower and a higher state is large enough.
  bool counts(float lower, float higher, bool higherSaturated) const;
};
