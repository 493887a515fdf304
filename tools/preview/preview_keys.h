#pragma once
// The preview's keys and where they take the show. Positions are the music
// clock's whole milliseconds, and every scene boundary is the timeline's:
// the loaded show's, which moves with its schedule.

#include "runtime/timeline.h"

class previewState {
 public:
  unsigned positionMs = 0;  // what the clock said for the frame shown
  unsigned lengthMs = 0;    // the track's length
  bool paused = false;
  bool looping = false;
  unsigned loopStartMs = 0;  // the looped scene's first millisecond
  unsigned loopEndMs = 0;    // the first millisecond after it
  sceneSlot (*sceneAt)(float musicSeconds) = nullptr;  // the show's timeline
};

enum class previewAction { none, pause, move, loop, quit };

class previewCommand {
 public:
  previewAction action = previewAction::none;
  unsigned toMs = 0;  // where a move goes
};

// A frame of the 60-a-second grid, in seconds.
constexpr double kFrameSeconds = 1 / 60.0;

// What a key pressed or held (a GLFW key code, with GLFW's modifier bits)
// asks for in `state`: Space pauses and resumes, Left and Right move a
// second (a tenth with Shift), comma and full stop a frame while paused,
// Home goes to 0, 1 to 3 to the start of each scene, L loops, Escape quits.
// A move never leaves the track.
previewCommand commandForKey(int key, int mods, const previewState& state);

// The millisecond of the frame `frames` frames of 1/60 s on from the one
// nearest `ms` (back for a negative count).
unsigned frameStep(unsigned ms, int frames);

// The first millisecond of the clock that draws `slot` in `state`'s
// timeline: 6.5 s itself belongs to no scene, so the word slam starts at
// 6501.
unsigned sceneStartMs(sceneSlot slot, const previewState& state);

// Loops the scene showing at the state's position (or the next one, at a
// boundary no scene owns): from its first millisecond to the first after
// it, or to the end of the track.
void loopSceneShowing(previewState* state);
