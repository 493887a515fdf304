#include "audio/system.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>

#include "audio/sound_diagnostics.h"

namespace audio {

Result Sound::release() { return system ? system->releaseSound(*this) : kErrInvalidHandle; }

Result Channel::getPosition(unsigned* position, unsigned timeUnit) {
  return system ? system->channelPosition(*this, position, timeUnit) : kErrInvalidHandle;
}

Result systemCreate(System** system) {
  if (!system) return kErrInvalidParam;
  *system = new (std::nothrow) System();
  return *system ? kOk : kErrMemory;
}

Result System::getVersion(unsigned* version) {
  if (!version) return kErrInvalidParam;
  *version = kVersion;
  return kOk;
}

Result System::init(int maxChannels, unsigned flags, void*) {
  if (initialised) return kErrInitialised;
  if (maxChannels < 1 || maxChannels > kMaxChannels || flags != kInitNormal) return kErrInvalidParam;

  silenceSoundDiagnostics();
  device = alcOpenDevice(nullptr);
  if (!device) return kErrOutputNone;
  context = alcCreateContext(device, nullptr);
  if (!context || !alcMakeContextCurrent(context)) {
    if (context) alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
    return kErrOutputFailed;
  }
  initialised = true;

  ALCint refresh = 0;
  alcGetIntegerv(device, ALC_REFRESH, 1, &refresh);
  mixerPeriod = 1.0 / std::max(refresh, 1);
  if (alIsExtensionPresent("AL_SOFT_source_latency"))
    getSourcedv = reinterpret_cast<LPALGETSOURCEDVSOFT>(alGetProcAddress("alGetSourcedvSOFT"));
  tellsDisconnect = alcIsExtensionPresent(device, "ALC_EXT_disconnect");

  channels.resize(maxChannels);
  for (channelSlot& slot : channels) {
    alGetError();
    alGenSources(1, &slot.source);
    if (alGetError() != AL_NO_ERROR) {
      slot.source = 0;
      close();
      return kErrMemory;
    }
    // Music is not placed in space: each channel of the file goes to the
    // speaker of the same name, unchanged.
    if (alIsExtensionPresent("AL_SOFT_direct_channels"))
      alSourcei(slot.source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
  }
  return kOk;
}

Result System::createSound(const char* path, unsigned mode, void*, Sound* sound) {
  if (sound) *sound = Sound();
  if (!initialised) return kErrUninitialised;
  if (!path || !sound || mode != kDefault) return kErrInvalidParam;
  // Only a regular file is music: opening a pipe would wait for a writer
  // for ever, and a folder or a device holds no track.
  struct stat file;
  if (stat(path, &file) != 0) return errno == ENOENT ? kErrFileNotFound : kErrFileUnreadable;
  if (!S_ISREG(file.st_mode)) return kErrFileNotFound;

  pendingDecode* pending = new (std::nothrow) pendingDecode();
  if (!pending) return kErrMemory;
  pending->worker = std::thread([pending, file = std::string(path)] {
    pending->result = decodeMp3(file.c_str(), &pending->pcm);
  });
  auto freeSlot = std::find_if(sounds.begin(), sounds.end(), [](const soundSlot& s) { return !s.live; });
  if (freeSlot == sounds.end()) freeSlot = sounds.insert(sounds.end(), soundSlot());
  freeSlot->live = true;
  freeSlot->pending = pending;
  *sound = Sound{this, unsigned(freeSlot - sounds.begin()), freeSlot->generation};
  return kOk;
}

Result System::finishDecode(soundSlot* slot) {
  pendingDecode* pending = slot->pending;
  if (!pending) return kOk;
  pending->worker.join();
  slot->pending = nullptr;
  const decodedAudio& pcm = pending->pcm;
  Result result = pending->result;
  if (result == kOk && pcm.channels != 1 && pcm.channels != 2) result = kErrFormat;
  if (result == kOk) {
    alGetError();
    alGenBuffers(1, &slot->buffer);
    alBufferData(slot->buffer, pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm.samples,
                 ALsizei(pcm.frames * pcm.channels * sizeof(int16_t)), ALsizei(pcm.rate));
    if (alGetError() != AL_NO_ERROR) {
      alDeleteBuffers(1, &slot->buffer);
      slot->buffer = 0;
      result = kErrMemory;
    }
    slot->seconds = double(pcm.frames) / double(pcm.rate);
  }
  delete pending;
  if (result != kOk) {
    slot->live = false;
    ++slot->generation;
  }
  return result;
}

Result System::playSound(int channelId, Sound sound, bool paused, Channel* channel) {
  if (channel) *channel = Channel();
  if (!initialised) return kErrUninitialised;
  if (!channel || channelId != kChannelFree || paused) return kErrInvalidParam;
  soundSlot* played = liveSound(sound);
  if (!played) return kErrInvalidHandle;
  Result ready = finishDecode(played);
  if (ready != kOk) return ready;

  // A channel whose sound has run out is free even if nobody asked it since.
  auto isFree = [](const channelSlot& slot) {
    if (!slot.busy) return true;
    ALint state = AL_STOPPED;
    alGetSourcei(slot.source, AL_SOURCE_STATE, &state);
    return state == AL_STOPPED;
  };
  auto slot = std::find_if(channels.begin(), channels.end(), isFree);
  if (slot == channels.end()) return kErrNoFreeChannel;
  if (slot->busy) stopChannel(&*slot);

  alSourcei(slot->source, AL_BUFFER, ALint(played->buffer));
  slot->clock.restart(mixerPeriod);
  slot->busy = true;
  slot->sound = sound.index;
  slot->soundSeconds = played->seconds;
  slot->lastSampleHeardAt = 0;
  slot->largestLatency = 0;
  alSourcePlay(slot->source);
  *channel = Channel{this, unsigned(slot - channels.begin()), slot->generation};
  return kOk;
}

Result System::close() {
  if (!initialised) return kOk;
  for (channelSlot& slot : channels) {
    if (slot.source) {
      alSourceStop(slot.source);
      alSourcei(slot.source, AL_BUFFER, 0);
      alDeleteSources(1, &slot.source);
    }
  }
  for (soundSlot& slot : sounds) {
    finishDecode(&slot);
    if (slot.live) alDeleteBuffers(1, &slot.buffer);
  }
  channels.clear();
  sounds.clear();
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(context);
  alcCloseDevice(device);
  context = nullptr;
  device = nullptr;
  initialised = false;
  return kOk;
}

Result System::release() {
  close();
  delete this;
  return kOk;
}

Result System::releaseSound(Sound sound) {
  soundSlot* slot = liveSound(sound);
  if (!slot) return kErrInvalidHandle;
  // A sound that did not decode holds nothing more to free.
  if (finishDecode(slot) != kOk) return kOk;
  for (channelSlot& channel : channels)
    if (channel.busy && channel.sound == sound.index) stopChannel(&channel);
  alDeleteBuffers(1, &slot->buffer);
  slot->buffer = 0;
  slot->live = false;
  ++slot->generation;
  return kOk;
}

Result System::channelPosition(Channel channel, unsigned* position, unsigned timeUnit) {
  channelSlot* slot = busyChannel(channel);
  if (!slot) return kErrInvalidHandle;
  if (!position || timeUnit != kTimeUnitMs) return kErrInvalidParam;

  ALCint connected = ALC_TRUE;
  if (tellsDisconnect) alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
  if (!connected) return kErrOutputFailed;

  // A source that has stopped reports offset 0: the end is told by its state,
  // so the clock never falls back to the start. The mixer stops it when it
  // has used the last sample, which the output plays one latency later: the
  // channel lives on until then, so that its end is the end that is heard.
  double now = monotonicSeconds();
  double latency = 0;
  double heard = heardSeconds(slot->source, &latency);
  ALint state = AL_STOPPED;
  alGetSourcei(slot->source, AL_SOURCE_STATE, &state);
  if (state != AL_STOPPED) slot->largestLatency = std::max(slot->largestLatency, latency);
  if (state == AL_STOPPED) {
    // A sound server's latency figure cannot be trusted this close to the
    // end: it swings by a mixing period as the server is fed, and through
    // PulseAudio it was seen to leave the last 3 to 14 ms of the track unheard
    // when the device closed. On a real output the channel waits for the
    // largest latency seen and never less than kOutputTail.
    double tail = std::max(latency, slot->largestLatency);
    if (tail > 0) tail = std::max(tail + mixerPeriod, kOutputTail);
    if (slot->lastSampleHeardAt == 0) slot->lastSampleHeardAt = now + tail;
    double stillToHear = slot->lastSampleHeardAt - now;
    if (stillToHear <= 0) {
      stopChannel(slot);
      return kErrInvalidHandle;
    }
    heard = slot->soundSeconds - stillToHear;
  }
  double seconds = slot->clock.position(heard, now);
  *position = unsigned(seconds * 1000.0);
  return kOk;
}

soundSlot* System::liveSound(Sound sound) {
  if (sound.system != this || !initialised || sound.index >= sounds.size()) return nullptr;
  soundSlot& slot = sounds[sound.index];
  return slot.live && slot.generation == sound.generation ? &slot : nullptr;
}

channelSlot* System::busyChannel(Channel channel) {
  if (channel.system != this || !initialised || channel.index >= channels.size()) return nullptr;
  channelSlot& slot = channels[channel.index];
  return slot.busy && slot.generation == channel.generation ? &slot : nullptr;
}

void System::stopChannel(channelSlot* slot) {
  alSourceStop(slot->source);
  alSourcei(slot->source, AL_BUFFER, 0);
  slot->busy = false;
  ++slot->generation;
}

double System::heardSeconds(ALuint source, double* latency) {
  ALdouble offsetAndLatency[2] = {0, 0};
  if (getSourcedv) {
    getSourcedv(source, AL_SEC_OFFSET_LATENCY_SOFT, offsetAndLatency);
  } else {
    ALfloat offset = 0;
    alGetSourcef(source, AL_SEC_OFFSET, &offset);
    offsetAndLatency[0] = offset;
  }
  if (latency) *latency = offsetAndLatency[1];
  return offsetAndLatency[0] - offsetAndLatency[1];
}

}  // namespace audio
