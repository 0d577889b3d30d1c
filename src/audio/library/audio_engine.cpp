// AudioEngine: session state, argument checks, handles and the mix loop.
#include "audio/library/audio_engine.h"

#include <cstring>
#include <new>

#include "audio/library/sound_decoder.h"

namespace {

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

bool IsOggVorbis(const uint8_t* data, uint32_t length) { return length >= 4 && std::memcmp(data, "OggS", 4) == 0; }

}  // namespace

AudioError AudioEngine::Open(uint32_t rate) {
  if (IsOpen()) return kAudioErrorAlready;
  if (rate < kMinOutputRate || rate > kMaxOutputRate) return kAudioErrorIllegalParameter;
  outputRate = rate;
  return kAudioOk;
}

AudioError AudioEngine::Close() {
  if (!IsOpen()) return kAudioErrorInit;
  for (Voice& voice : voices) voice = Voice{};
  for (VorbisStream& stream : streams) stream.Close();
  for (Sample& sample : samples) sample.Release();
  outputRate = 0;
  return kAudioOk;
}

// Handles carry a serial number above the slot index, so a handle of a
// released sample never names the slot's next occupant.
uint32_t AudioEngine::NextHandle(uint32_t* serial, uint32_t slot) {
  *serial = (*serial + 1) & 0xFFFFFF;
  if (*serial == 0) *serial = 1;
  return *serial << 8 | (slot + 1);
}

AudioError AudioEngine::LoadSample(const uint8_t* data, uint32_t length, uint32_t maxPlaybacks,
                                   uint32_t flags, uint32_t* sampleHandle) {
  *sampleHandle = 0;
  if (!IsOpen()) return kAudioErrorInit;
  if (!data || length == 0 || maxPlaybacks < 1 || maxPlaybacks > kMaxVoices ||
      (flags & ~kSampleOverridePosition) != 0)
    return kAudioErrorIllegalParameter;
  uint32_t slot = 0;
  while (slot < kMaxSamples && samples[slot].handle != 0) ++slot;
  if (slot == kMaxSamples) return kAudioErrorMemory;
  Sample& sample = samples[slot];
  AudioError result =
      IsOggVorbis(data, length) ? LoadVorbis(data, length, &sample) : LoadDecoded(data, length, &sample);
  if (result != kAudioOk) {
    sample.Release();
    return result;
  }
  sample.maxPlaybacks = maxPlaybacks;
  sample.flags = flags;
  sample.handle = NextHandle(&sampleSerial, slot);
  *sampleHandle = sample.handle;
  return kAudioOk;
}

void AudioEngine::Sample::Release() {
  sound.Release();
  vorbis.reset();
  vorbisBytes = frameCount = rate = handle = maxPlaybacks = flags = 0;
}

// Checks the stream by opening it once, then keeps a copy of its bytes.
AudioError AudioEngine::LoadVorbis(const uint8_t* data, uint32_t length, Sample* sample) {
  VorbisStream probe;
  AudioError result = probe.Open(data, length);
  if (result != kAudioOk) return result;
  sample->vorbis.reset(new (std::nothrow) uint8_t[length]);
  if (!sample->vorbis) return kAudioErrorMemory;
  std::memcpy(sample->vorbis.get(), data, length);
  sample->vorbisBytes = length;
  sample->frameCount = probe.frameCount;
  sample->rate = probe.rate;
  return kAudioOk;
}

AudioError AudioEngine::LoadDecoded(const uint8_t* data, uint32_t length, Sample* sample) {
  AudioError result = DecodeSound(data, length, &sample->sound);
  sample->frameCount = sample->sound.frameCount;
  sample->rate = sample->sound.rate;
  return result;
}

// Points the voice at the sample's frames, or opens the voice's own stream
// over the sample's bytes.
AudioError AudioEngine::StartSource(const Sample& sample, Voice* voice) {
  if (!sample.vorbis) {
    voice->sound = &sample.sound;
    return kAudioOk;
  }
  VorbisStream& stream = streams[voice - voices];
  AudioError result = stream.Open(sample.vorbis.get(), sample.vorbisBytes);
  if (result == kAudioOk) voice->stream = &stream;
  return result;
}

AudioEngine::Sample* AudioEngine::FindSample(uint32_t handle) {
  uint32_t slot = (handle & 0xFF) - 1;
  if (handle == 0 || slot >= kMaxSamples || samples[slot].handle != handle) return nullptr;
  return &samples[slot];
}

// A free voice for the sample, or, when all its playbacks are busy and it
// has kSampleOverridePosition, the playback of it that has played longest.
Voice* AudioEngine::VoiceFor(const Sample& sample, AudioError* error) {
  uint32_t busy = 0;
  Voice* freeVoice = nullptr;
  Voice* longest = nullptr;
  for (Voice& voice : voices) {
    if (!voice.IsActive()) {
      if (!freeVoice) freeVoice = &voice;
    } else if (voice.sampleHandle == sample.handle) {
      ++busy;
      if (!longest || voice.framesPlayed > longest->framesPlayed) longest = &voice;
    }
  }
  if (busy < sample.maxPlaybacks && freeVoice) return freeVoice;
  if (busy >= sample.maxPlaybacks && (sample.flags & kSampleOverridePosition)) return longest;
  *error = kAudioErrorNoChannel;
  return nullptr;
}

AudioError AudioEngine::PlaySample(uint32_t sampleHandle, uint32_t startFrame, int32_t frequency,
                                   int32_t volume, int32_t pan, bool loop, uint32_t* channelHandle) {
  *channelHandle = 0;
  if (!IsOpen()) return kAudioErrorInit;
  Sample* sample = FindSample(sampleHandle);
  if (!sample) return kAudioErrorHandle;
  if (startFrame >= sample->frameCount ||
      (frequency != kDefaultFrequency && !InRange(frequency, kMinPlaybackRate, kMaxPlaybackRate)) ||
      (volume != kDefaultVolume && !InRange(volume, 0, 100)) ||
      (pan != kDefaultPan && !InRange(pan, -100, 100)))
    return kAudioErrorIllegalParameter;
  AudioError error = kAudioOk;
  Voice* voice = VoiceFor(*sample, &error);
  if (!voice) return error;
  uint32_t rate = frequency == kDefaultFrequency ? sample->rate : uint32_t(frequency);
  *voice = Voice{};
  AudioError started = StartSource(*sample, voice);
  if (started != kAudioOk) return started;
  voice->sampleHandle = sample->handle;
  voice->channelHandle = NextHandle(&channelSerial, uint32_t(voice - voices));
  voice->position = uint64_t(startFrame) << 32;
  voice->step = PlaybackStep(rate, outputRate);
  voice->volume = volume == kDefaultVolume ? 100 : uint32_t(volume);
  voice->pan = pan == kDefaultPan ? 0 : pan;
  voice->loop = loop;
  *channelHandle = voice->channelHandle;
  return kAudioOk;
}

AudioError AudioEngine::SetVolume(uint32_t volume) {
  if (volume > 100) return kAudioErrorIllegalParameter;
  masterVolume = volume;
  return kAudioOk;
}

void AudioEngine::Mix(int16_t* out, uint32_t frames) {
  while (frames > 0) {
    uint32_t chunk = frames < kMixChunk ? frames : kMixChunk;
    std::memset(accumulator, 0, sizeof(int32_t) * 2 * chunk);
    for (Voice& voice : voices)
      if (voice.IsActive()) MixVoice(&voice, masterVolume, accumulator, chunk);
    ClampToPcm(accumulator, out, 2 * chunk);
    out += 2 * chunk;
    frames -= chunk;
  }
}

uint32_t AudioEngine::ActiveVoices() const {
  uint32_t count = 0;
  for (const Voice& voice : voices) count += voice.IsActive() ? 1 : 0;
  return count;
}
