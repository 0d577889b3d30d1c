// Voice mixing: fixed-point stepping through the source (decoded frames or
// a stream), linear interpolation, per-side gain, and wrap-around for
// looping voices.
#include "audio/library/voice.h"

namespace {

struct StereoGain {
  int64_t left;   // Q16
  int64_t right;  // Q16
};

// Volume and master volume multiply; pan attenuates the far side linearly.
StereoGain GainOf(const Voice& voice, uint32_t masterVolume) {
  int64_t base = (int64_t(voice.volume) * masterVolume * kUnityGain + 5000) / 10000;
  int64_t leftShare = voice.pan > 0 ? 100 - voice.pan : 100;
  int64_t rightShare = voice.pan < 0 ? 100 + voice.pan : 100;
  return StereoGain{base * leftShare / 100, base * rightShare / 100};
}

// value * gain, rounded to the nearest integer.
int32_t Scale(int64_t value, int64_t gain) { return int32_t((value * gain + 32768) >> 16); }

// a + (b - a) * fraction, fraction in 1/65536 steps.
int64_t Interpolate(int16_t a, int16_t b, uint32_t fraction) {
  return a + ((int64_t(b) - a) * int64_t(fraction) >> 16);
}

uint32_t SourceFrames(const Voice& voice) {
  return voice.sound ? voice.sound->frameCount : voice.stream->frameCount;
}

uint32_t SourceChannels(const Voice& voice) {
  return voice.sound ? voice.sound->channels : voice.stream->channels;
}

// Left and right of source frame index (a mono frame gives both sides the
// same value). Copied out: a stream's frame is valid only until its next read.
void ReadFrame(const Voice& voice, uint32_t index, int16_t out[2]) {
  const uint32_t channels = SourceChannels(voice);
  const int16_t* frame =
      voice.sound ? voice.sound->samples + size_t(index) * channels : voice.stream->Frame(index);
  out[0] = frame[0];
  out[1] = frame[channels - 1];
}

}  // namespace

uint64_t PlaybackStep(uint32_t sourceRate, uint32_t outputRate) {
  return outputRate ? (uint64_t(sourceRate) << 32) / outputRate : 0;
}

void MixVoice(Voice* voice, uint32_t masterVolume, int32_t* accumulator, uint32_t frames) {
  const uint32_t frameCount = SourceFrames(*voice);
  const uint64_t end = uint64_t(frameCount) << 32;
  const StereoGain gain = GainOf(*voice, masterVolume);
  for (uint32_t i = 0; i < frames; ++i) {
    uint32_t index = uint32_t(voice->position >> 32);
    uint32_t next = index + 1 < frameCount ? index + 1 : (voice->loop ? 0 : index);
    uint32_t fraction = uint32_t(voice->position >> 16) & 0xFFFF;
    int16_t a[2], b[2];  // left, right
    ReadFrame(*voice, index, a);
    ReadFrame(*voice, next, b);
    accumulator[2 * i] += Scale(Interpolate(a[0], b[0], fraction), gain.left);
    accumulator[2 * i + 1] += Scale(Interpolate(a[1], b[1], fraction), gain.right);
    voice->framesPlayed++;
    voice->position += voice->step;
    if (voice->position >= end) {
      if (!voice->loop) {
        voice->sound = nullptr;
        voice->stream = nullptr;
        return;
      }
      voice->position %= end;
    }
  }
}

void ClampToPcm(const int32_t* accumulator, int16_t* out, uint32_t values) {
  for (uint32_t i = 0; i < values; ++i) {
    int32_t v = accumulator[i];
    out[i] = int16_t(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
  }
}
