#pragma once
// The audio system: an output device, the sounds decoded into it and the
// channels that play them. Calls come from one thread; the mixer runs on
// OpenAL Soft's own.

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/decode_worker.h"
#include "audio/handles.h"
#include "audio/result.h"
#include "audio/smooth_clock.h"

namespace audio {

// 5.0.0, packed as major << 16 | minor << 8 | release.
constexpr unsigned kVersion = 0x00050000;
constexpr int kChannelFree = -1;
constexpr unsigned kInitNormal = 0;
constexpr unsigned kDefault = 0;
constexpr int kMaxChannels = 256;
// The least time a real output is given to play a sound's last samples after
// the mixer has used them, in seconds.
constexpr double kOutputTail = 0.25;
// Mixer updates a second of an output that does not tell its own: OpenAL
// Soft's default of 1,024 samples at 44.1 kHz.
constexpr int kDefaultRefresh = 43;

class soundSlot {
 public:
  ALuint buffer = 0;
  double seconds = 0;  // the decoded length
  long rate = 0;       // frames per second
  unsigned generation = 1;
  bool live = false;
  pendingDecode* pending = nullptr;  // until the samples are in `buffer`
};

class channelSlot {
 public:
  ALuint source = 0;
  unsigned generation = 1;
  bool busy = false;
  unsigned sound = 0;  // index of the sound slot it plays
  double soundSeconds = 0;  // the length of that sound
  long soundRate = 0;       // and its frames per second
  // Once the mixer has used the last sample: the monotonic time at which
  // the output will have played it. 0 while the mixer still plays the sound.
  double lastSampleHeardAt = 0;
  double largestLatency = 0;  // the output's, while the sound played
  smoothClock clock;
  // Paused, the source is rewound and the clock holds `pausedSeconds`,
  // where playback resumes.
  bool paused = false;
  double pausedSeconds = 0;
};

class System {
 public:
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  bool initialised = false;
  double mixerPeriod = 0;  // seconds between the mixer's position updates
  LPALGETSOURCEDVSOFT getSourcedv = nullptr;
  bool tellsDisconnect = false;  // the device can say it was unplugged
  std::vector<soundSlot> sounds;
  std::vector<channelSlot> channels;

  Result getVersion(unsigned* version);
  // Opens the default output with `maxChannels` channels; flags must be kInitNormal.
  Result init(int maxChannels, unsigned flags, void* extraDriverData);
  // Opens the file and starts decoding all of it (decode_worker.h), so that
  // on the desktop the caller goes on while it decodes; mode must be
  // kDefault. A file that cannot be opened, or that is not a regular file
  // (a folder, a pipe, a device), fails here and *sound is invalid; one that
  // does not decode fails when the sound is first played.
  Result createSound(const char* path, unsigned mode, void* extraInfo, Sound* sound);
  // Makes a sound of samples already in memory, as a file's would be once
  // decoded: `frames` of 16-bit samples, `channels` (1 or 2) interleaved,
  // `rate` frames a second. The samples are copied.
  Result createSoundFromSamples(const int16_t* samples, size_t frames, int channels, long rate, Sound* sound);
  // Starts `sound` from its beginning on a free channel, once its decoding
  // has finished; paused, it waits at the beginning for setPaused(false).
  // Only kChannelFree is supported. On failure *channel is invalid; a sound
  // that did not decode is invalid too.
  Result playSound(int channelId, Sound sound, bool paused, Channel* channel);
  // Stops everything, frees every sound and closes the output; handles go invalid.
  Result close();
  // Closes the system and deletes it; the pointer is dead afterwards.
  Result release();

  Result releaseSound(Sound sound);
  Result soundLength(Sound sound, unsigned* length, unsigned timeUnit);
  Result channelPosition(Channel channel, unsigned* position, unsigned timeUnit);
  Result channelSetPaused(Channel channel, bool paused);
  Result channelSetPosition(Channel channel, unsigned position, unsigned timeUnit);

  soundSlot* liveSound(Sound sound);
  // Waits for the slot's decoding and hands the samples to OpenAL, on this
  // thread; a sound that did not decode is no longer live.
  Result finishDecode(soundSlot* slot);
  // A free sound slot, or a new one.
  soundSlot* freeSoundSlot();
  channelSlot* busyChannel(Channel channel);
  void stopChannel(channelSlot* slot);
  // Where the channel's clock is now, in seconds; kErrInvalidHandle once
  // its sound has been heard to the end, which frees the channel.
  Result channelSeconds(channelSlot* slot, double* seconds);
  // Plays the channel's sound from `seconds` on, with its clock restarted there.
  void playFrom(channelSlot* slot, double seconds);
  // What the output has played of the source: the mixer's offset less the
  // time a sample takes from the mixer to the speaker (`latency`, which a
  // stopped source reports too). Negative while the first sample is on its way.
  double heardSeconds(ALuint source, double* latency = nullptr);
};

// Makes a new, uninitialised system.
Result systemCreate(System** system);

}  // namespace audio
