// PcmSound: a decoded sound held in memory as interleaved signed 16-bit
// frames (one value per channel per frame), the form the mixer plays from.
#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/library/audio_library.h"

// Longest sound the library holds: 10 minutes at 48000 Hz. A looping music
// track runs a few minutes; at the limit a stereo sound takes 110 MiB.
constexpr uint32_t kMaxSoundFrames = 10u * 60u * 48000u;
// Sample rates a sound may have, in frames per second.
constexpr uint32_t kMinSoundRate = 1000;
constexpr uint32_t kMaxSoundRate = 192000;

class PcmSound {
 public:
  PcmSound() = default;
  ~PcmSound() { Release(); }
  PcmSound(const PcmSound&) = delete;
  PcmSound& operator=(const PcmSound&) = delete;

  // Makes room for `frames` frames of `channels` (1 or 2) channels at `rate`
  // Hz, zeroed. Fails with kAudioErrorTooLong above kMaxSoundFrames, with
  // kAudioErrorFileFormat for a channel count or rate out of range, and with
  // kAudioErrorMemory when the allocation fails; then the sound is empty.
  AudioError Allocate(uint32_t frames, uint32_t channels, uint32_t rate);
  // Keeps only the first `frames` frames (frames <= frameCount).
  void Truncate(uint32_t frames) { frameCount = frames < frameCount ? frames : frameCount; }
  void Release();
  // Hands the samples over to `to` (released first) and leaves this sound empty.
  void MoveTo(PcmSound* to);
  bool IsEmpty() const { return frameCount == 0; }

  int16_t* samples = nullptr;  // frameCount * channels values, owned
  uint32_t frameCount = 0;
  uint32_t channels = 0;       // 1 or 2
  uint32_t rate = 0;           // frames per second
};
