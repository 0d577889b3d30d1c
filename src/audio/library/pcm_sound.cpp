// PcmSound: allocation within the library's size limits, release, hand-over.
#include "audio/library/pcm_sound.h"

#include <cstring>
#include <new>

AudioError PcmSound::Allocate(uint32_t frames, uint32_t channelCount, uint32_t frameRate) {
  Release();
  if (channelCount < 1 || channelCount > 2) return kAudioErrorFileFormat;
  if (frameRate < kMinSoundRate || frameRate > kMaxSoundRate) return kAudioErrorFileFormat;
  if (frames == 0) return kAudioErrorFileFormat;
  if (frames > kMaxSoundFrames) return kAudioErrorTooLong;
  size_t values = size_t(frames) * channelCount;
  samples = new (std::nothrow) int16_t[values];
  if (!samples) return kAudioErrorMemory;
  std::memset(samples, 0, values * sizeof(int16_t));
  frameCount = frames;
  channels = channelCount;
  rate = frameRate;
  return kAudioOk;
}

void PcmSound::Release() {
  delete[] samples;
  samples = nullptr;
  frameCount = 0;
  channels = 0;
  rate = 0;
}

void PcmSound::MoveTo(PcmSound* to) {
  if (to == this) return;
  to->Release();
  to->samples = samples;
  to->frameCount = frameCount;
  to->channels = channels;
  to->rate = rate;
  samples = nullptr;
  frameCount = channels = rate = 0;
}
