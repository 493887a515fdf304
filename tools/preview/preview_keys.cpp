#include "preview_keys.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>

#include "runtime/audio_state.h"

namespace {

constexpr unsigned kSecondMs = 1000;
constexpr unsigned kTenthMs = 100;

previewCommand moveTo(long long ms, const previewState& state) {
  long long inTrack = std::min(std::max(ms, 0LL), (long long)state.lengthMs);
  return {previewAction::move, unsigned(inTrack)};
}

sceneSlot sceneAtMs(unsigned ms, const previewState& state) { return state.sceneAt(musicSeconds(ms)); }

}  // namespace

previewCommand commandForKey(int key, int mods, const previewState& state) {
  long long at = state.positionMs;
  long long step = (mods & GLFW_MOD_SHIFT) ? kTenthMs : kSecondMs;
  switch (key) {
    case GLFW_KEY_SPACE:
      return {previewAction::pause, 0};
    case GLFW_KEY_LEFT:
      return moveTo(at - step, state);
    case GLFW_KEY_RIGHT:
      return moveTo(at + step, state);
    case GLFW_KEY_COMMA:
      return state.paused ? moveTo(frameStep(state.positionMs, -1), state) : previewCommand();
    case GLFW_KEY_PERIOD:
      return state.paused ? moveTo(frameStep(state.positionMs, 1), state) : previewCommand();
    case GLFW_KEY_HOME:
      return moveTo(0, state);
    case GLFW_KEY_1:
      return moveTo(sceneStartMs(sceneSlot::opening, state), state);
    case GLFW_KEY_2:
      return moveTo(sceneStartMs(sceneSlot::wordSlam, state), state);
    case GLFW_KEY_3:
      return moveTo(sceneStartMs(sceneSlot::scroller, state), state);
    case GLFW_KEY_L:
      return {previewAction::loop, 0};
    case GLFW_KEY_ESCAPE:
      return {previewAction::quit, 0};
    default:
      return {};
  }
}

unsigned frameStep(unsigned ms, int frames) {
  long long frame = std::llround(ms / 1000.0 / kFrameSeconds) + frames;
  return unsigned(std::llround(std::max(frame, 0LL) * kFrameSeconds * 1000.0));
}

unsigned sceneStartMs(sceneSlot slot, const previewState& state) {
  unsigned ms = 0;
  while (ms < state.lengthMs && sceneAtMs(ms, state) != slot) ++ms;
  return ms;
}

void loopSceneShowing(previewState* state) {
  unsigned at = state->positionMs;
  sceneSlot slot = sceneAtMs(at, *state);
  if (slot == sceneSlot::none) slot = sceneAtMs(at + 1, *state);
  state->loopStartMs = sceneStartMs(slot, *state);
  unsigned end = state->loopStartMs;
  while (end < state->lengthMs && sceneAtMs(end, *state) == slot) ++end;
  state->loopEndMs = end;
}
