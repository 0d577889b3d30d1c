// Voice: one playback of a sample, and the mixing of its frames into a
// stereo accumulator. Positions are in source frames as 32.32 fixed point,
// so any playback rate maps onto the output rate; between two source frames
// the value is interpolated linearly, and a looping voice interpolates from
// its last frame into its first, so the loop point has no seam. At the
// sample's own rate the fraction stays 0 and frames are copied exactly. A
// voice plays either decoded frames (a PcmSound) or a VorbisStream that
// decodes as it plays.
#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/library/pcm_sound.h"
#include "audio/library/vorbis_stream.h"

// Gains are Q16 fixed point: kUnityGain plays a value unchanged.
constexpr int32_t kUnityGain = 65536;

struct Voice {
  const PcmSound* sound = nullptr;  // the frames it plays, or null
  VorbisStream* stream = nullptr;   // or the stream it plays (the engine's); both null while free
  uint32_t sampleHandle = 0;        // the sample it plays
  uint32_t channelHandle = 0;       // its own handle
  uint64_t position = 0;            // source frames, 32.32 fixed point
  uint64_t step = 0;                // source frames per output frame, 32.32
  uint32_t volume = 100;            // 0..100
  int32_t pan = 0;                  // -100 (left) .. 100 (right)
  bool loop = false;
  uint64_t framesPlayed = 0;        // output frames mixed since the start

  bool IsActive() const { return sound != nullptr || stream != nullptr; }
};

// Source frames per output frame as 32.32 fixed point.
uint64_t PlaybackStep(uint32_t sourceRate, uint32_t outputRate);

// Adds `frames` output frames of the voice, scaled by its volume and pan and
// by `masterVolume` (0..100), to `accumulator` (left, right interleaved).
// A voice that is not looping becomes free when it passes its last frame.
void MixVoice(Voice* voice, uint32_t masterVolume, int32_t* accumulator, uint32_t frames);

// Saturates accumulated values to signed 16 bits.
void ClampToPcm(const int32_t* accumulator, int16_t* out, uint32_t values);
