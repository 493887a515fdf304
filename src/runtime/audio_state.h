#pragma once
// The music and its clock: the process-wide audio record, its start-up, and
// the one way every audio failure is reported.

#include "audio/system.h"

class audioRecord {
 public:
  audio::Sound sound;
  audio::System* system = nullptr;
  unsigned version = 0;
  audio::Channel channel;
  bool started = false;
};

extern audioRecord audioState;

// The oldest audio library the demo runs with.
constexpr unsigned kMinimumAudioVersion = 0x00043208;

// Creates the audio system and the music sound. A missing or broken music
// file is not reported here: its channel is invalid, and the first clock
// query after Up says so.
void audioInit(const char* path);

// Returns if `result` is 0; otherwise prints the audio error line, closes
// the window system and ends the process with status 0.
void audioCheck(int result);

// Ends the process with status 0 if `version` is older than the demo needs.
void audioVersionCheck(unsigned version);

// Music time in seconds for a channel position in milliseconds.
float musicSeconds(unsigned milliseconds);
