#include "preview_title.h"

#include <cstdio>

#include "runtime/audio_state.h"

namespace {

const char* sceneName(sceneSlot slot) {
  switch (slot) {
    case sceneSlot::opening:
      return "opening";
    case sceneSlot::wordSlam:
      return "word slam";
    case sceneSlot::scroller:
      return "scroller";
    case sceneSlot::none:
      break;
  }
  return "between scenes";
}

}  // namespace

std::string previewTitle(const previewState& state, double frameSeconds, const std::vector<std::string>& notes) {
  char moment[64];
  snprintf(moment, sizeof moment, "%u.%03u s | ", state.positionMs / 1000, state.positionMs % 1000);
  std::string title = moment;
  title += sceneName(state.sceneAt(musicSeconds(state.positionMs)));
  if (state.paused) title += " | paused";
  if (state.looping) title += " | looping";
  char frame[32];
  snprintf(frame, sizeof frame, " | frame %.1f ms", frameSeconds * 1000);
  title += frame;
  for (const std::string& note : notes) title += " | " + note;
  return title;
}
