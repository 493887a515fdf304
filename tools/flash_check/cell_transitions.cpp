#include "cell_transitions.h"

#include <cstddef>

namespace {

constexpr float kLuminanceChange = 0.1f;
constexpr float kDarkerBelow = 0.8f;
constexpr float kRedChange = 20;

}  // namespace

cellTransitions::cellTransitions(flashKind kind) : kind(kind) {}

bool cellTransitions::counts(float lower, float higher, bool higherSaturated) const {
  if (kind == flashKind::general) return higher - lower >= kLuminanceChange && lower < kDarkerBelow;
  return higher - lower > kRedChange && higherSaturated;
}

const std::vector<signed char>& cellTransitions::step(const screenCells& cells) {
  const std::vector<float>& values = kind == flashKind::general ? cells.luminance : cells.red;
  if (states.empty()) {
    states.resize(values.size());
    made.assign(values.size(), 0);
    for (size_t i = 0; i < values.size(); ++i) {
      bool saturated = cells.saturatedRed[i];
      states[i] = {0, values[i], values[i], values[i], saturated, saturated};
    }
    return made;
  }
  for (size_t i = 0; i < values.size(); ++i) {
    cellState& s = states[i];
    float v = values[i];
    bool saturated = cells.saturatedRed[i];
    signed char change = 0;
    if (s.direction == 0) {
      if (counts(s.lowest, v, saturated)) change = 1;
      else if (counts(v, s.highest, s.highestSaturated)) change = -1;
      if (v < s.lowest) s.lowest = v;
      if (v > s.highest) {
        s.highest = v;
        s.highestSaturated = saturated;
      }
    } else if (s.direction > 0 ? v >= s.furthest : v <= s.furthest) {
      // Still going the same way: the same transition goes on.
      s.furthest = v;
      s.furthestSaturated = saturated;
    } else if (s.direction > 0 ? counts(v, s.furthest, s.furthestSaturated) : counts(s.furthest, v, saturated)) {
      change = s.direction > 0 ? -1 : 1;
    }
    if (change) {
      s.direction = change;
      s.furthest = v;
      s.furthestSaturated = saturated;
    }
    made[i] = change;
  }
  return made;
}
