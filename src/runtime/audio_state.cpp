#include "runtime/audio_state.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

#include "runtime/failure_box.h"

audioRecord audioState;

void audioInit(const char* path) {
  audioCheck(audio::systemCreate(&audioState.system));
  audioCheck(audioState.system->getVersion(&audioState.version));
  audioVersionCheck(audioState.version);
  audioCheck(audioState.system->init(32, audio::kInitNormal, nullptr));
  audioState.system->createSound(path, audio::kDefault, nullptr, &audioState.sound);
}

void audioCheck(int result) {
  if (result == audio::kOk) return;
  printf("FMOD Error! (%d) %s\n", result, audio::errorString(result));
  fflush(stdout);
  // The channel that played the music is gone: the track has ended, which is
  // how the show ends. A music file that never played has no channel at all.
  if (result == audio::kErrInvalidHandle && audioState.channel.system) showEndedWell();
  glfwTerminate();
  exit(0);
}

void audioVersionCheck(unsigned version) {
  if (version >= kMinimumAudioVersion) return;
  printf("Error, invalid FMOD version.\n");
  exit(0);
}

float musicSeconds(unsigned milliseconds) { return float(milliseconds / 1000.0); }
