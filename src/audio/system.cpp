#include "audio/system.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <new>
#include <string>

#include "audio/sound_diagnostics.h"

namespace audio {

namespace {

// Hands 16-bit samples to OpenAL in a buffer of the slot's own, with their
// length and rate; kErrMemory if it refused them.
Result fillBuffer(soundSlot* slot, const int16_t* samples, size_t frames, int channels, long rate) {
  alGetError();
  alGenBuffers(1, &slot->buffer);
  alBufferData(slot->buffer, channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, samples,
               ALsizei(frames * channels * sizeof(int16_t)), ALsizei(rate));
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &slot->buffer);
    slot->buffer = 0;
    return kErrMemory;
  }
  slot->seconds = double(frames) / double(rate);
  slot->rate = rate;
  return kOk;
}

}  // namespace

Result Sound::release() { return system ? system->releaseSound(*this) : kErrInvalidHandle; }

Result Sound::getLength(unsigned* length, unsigned timeUnit) {
  return system ? system->soundLength(*this, length, timeUnit) : kErrInvalidHandle;
}

Result Channel::getPosition(unsigned* position, unsigned timeUnit) {
  return system ? system->channelPosition(*this, position, timeUnit) : kErrInvalidHandle;
}

Result Channel::setPaused(bool paused) { return system ? system->channelSetPaused(*this, paused) : kErrInvalidHandle; }

Result Channel::setPosition(unsigned position, unsigned timeUnit) {
  return system ? system->channelSetPosition(*this, position, timeUnit) : kErrInvalidHandle;
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

  // The browser's OpenAL does not say how often it mixes; it follows the
  // page's audio clock, which moves at least as often as OpenAL Soft's
  // default mixing period.
  ALCint refresh = kDefaultRefresh;
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
  startDecode(pending, path);
  soundSlot* slot = freeSoundSlot();
  slot->live = true;
  slot->pending = pending;
  *sound = Sound{this, unsigned(slot - sounds.data()), slot->generation};
  return kOk;
}

Result System::createSoundFromSamples(const int16_t* samples, size_t frames, int channels, long rate, Sound* sound) {
  if (sound) *sound = Sound();
  if (!initialised) return kErrUninitialised;
  if (!samples || !sound || frames == 0 || rate <= 0) return kErrInvalidParam;
  if (channels != 1 && channels != 2) return kErrFormat;
  soundSlot* slot = freeSoundSlot();
  Result result = fillBuffer(slot, samples, frames, channels, rate);
  if (result != kOk) return result;
  slot->live = true;
  *sound = Sound{this, unsigned(slot - sounds.data()), slot->generation};
  return kOk;
}

soundSlot* System::freeSoundSlot() {
  auto found = std::find_if(sounds.begin(), sounds.end(), [](const soundSlot& s) { return !s.live; });
  if (found == sounds.end()) found = sounds.insert(sounds.end(), soundSlot());
  return &*found;
}

Result System::finishDecode(soundSlot* slot) {
  pendingDecode* pending = slot->pending;
  if (!pending) return kOk;
  awaitDecode(pending);
  slot->pending = nullptr;
  const decodedAudio& pcm = pending->pcm;
  Result result = pending->result;
  if (result == kOk && pcm.channels != 1 && pcm.channels != 2) result = kErrFormat;
  if (result == kOk) result = fillBuffer(slot, pcm.samples, size_t(pcm.frames), pcm.channels, pcm.rate);
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
  if (!channel || channelId != kChannelFree) return kErrInvalidParam;
  soundSlot* played = liveSound(sound);
  if (!played) return kErrInvalidHandle;
  Result ready = finishDecode(played);
  if (ready != kOk) return ready;

  // A channel whose sound has run out is free even if nobody asked it since;
  // a paused one is not, though its source is not playing.
  auto isFree = [](const channelSlot& slot) {
    if (!slot.busy) return true;
    if (slot.paused) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(slot.source, AL_SOURCE_STATE, &state);
    return state == AL_STOPPED;
  };
  auto slot = std::find_if(channels.begin(), channels.end(), isFree);
  if (slot == channels.end()) return kErrNoFreeChannel;
  if (slot->busy) stopChannel(&*slot);

  alSourcei(slot->source, AL_BUFFER, ALint(played->buffer));
  slot->busy = true;
  slot->sound = sound.index;
  slot->soundSeconds = played->seconds;
  slot->soundRate = played->rate;
  slot->paused = paused;
  slot->pausedSeconds = 0;
  if (!paused) playFrom(&*slot, 0);
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

Result System::soundLength(Sound sound, unsigned* length, unsigned timeUnit) {
  soundSlot* slot = liveSound(sound);
  if (!slot) return kErrInvalidHandle;
  if (!length || timeUnit != kTimeUnitMs) return kErrInvalidParam;
  Result ready = finishDecode(slot);
  if (ready != kOk) return ready;
  *length = unsigned(slot->seconds * 1000.0);
  return kOk;
}

Result System::channelPosition(Channel channel, unsigned* position, unsigned timeUnit) {
  channelSlot* slot = busyChannel(channel);
  if (!slot) return kErrInvalidHandle;
  if (!position || timeUnit != kTimeUnitMs) return kErrInvalidParam;
  double seconds = 0;
  Result result = channelSeconds(slot, &seconds);
  if (result == kOk) *position = unsigned(seconds * 1000.0);
  return result;
}

Result System::channelSetPaused(Channel channel, bool paused) {
  channelSlot* slot = busyChannel(channel);
  if (!slot) return kErrInvalidHandle;
  if (paused == slot->paused) return kOk;
  if (!paused) {
    slot->paused = false;
    playFrom(slot, slot->pausedSeconds);
    return kOk;
  }
  // What the picture shows now is where the music stands still, and where
  // it goes on from: not what the mixer has already sent to the output.
  double seconds = 0;
  Result result = channelSeconds(slot, &seconds);
  if (result != kOk) return result;
  alSourceRewind(slot->source);
  slot->paused = true;
  slot->pausedSeconds = seconds;
  return kOk;
}

Result System::channelSetPosition(Channel channel, unsigned position, unsigned timeUnit) {
  channelSlot* slot = busyChannel(channel);
  if (!slot) return kErrInvalidHandle;
  double seconds = position / 1000.0;
  if (timeUnit != kTimeUnitMs || seconds > slot->soundSeconds) return kErrInvalidParam;
  if (slot->paused)
    slot->pausedSeconds = seconds;
  else
    playFrom(slot, seconds);
  return kOk;
}

Result System::channelSeconds(channelSlot* slot, double* seconds) {
  ALCint connected = ALC_TRUE;
  if (tellsDisconnect) alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
  if (!connected) return kErrOutputFailed;
  if (slot->paused) {
    *seconds = slot->pausedSeconds;
    return kOk;
  }

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
  *seconds = slot->clock.position(heard, now);
  return kOk;
}

void System::playFrom(channelSlot* slot, double seconds) {
  // Rewound, the source starts afresh from the offset at the next play, so
  // no later query can see where it was before.
  alSourceRewind(slot->source);
  slot->clock.restart(mixerPeriod, seconds);
  slot->lastSampleHeardAt = 0;
  slot->largestLatency = 0;
  // The offset in whole frames: one in seconds, rounded to a float, can
  // land past the end, which OpenAL refuses. From the very end the last
  // frame plays, and the channel ends as at the end of its sound: OpenAL
  // cannot stop a source that has not played.
  double lastFrame = std::round(slot->soundSeconds * double(slot->soundRate)) - 1;
  double frame = std::min(std::floor(seconds * double(slot->soundRate)), lastFrame);
  alSourcei(slot->source, AL_SAMPLE_OFFSET, ALint(frame));
  alSourcePlay(slot->source);
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
  slot->paused = false;
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
