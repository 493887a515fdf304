#include "runtime/timeline.h"

sceneSlot sceneAt(float t) {
  if (t < kWordSlamStart) return sceneSlot::opening;
  if (kWordSlamStart < t && t < kScrollerStart) return sceneSlot::wordSlam;
  if (t > kScrollerStart) return sceneSlot::scroller;
  return sceneSlot::none;
}
