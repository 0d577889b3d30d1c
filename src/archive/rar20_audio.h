// The adaptive predictor of RAR 2.0's multimedia mode. Each channel predicts
// its next byte from its last byte, its last four deltas and the delta of
// the byte just before it (of whichever channel that was); the packed stream
// holds only the prediction error. Every 32 bytes the channel nudges one of
// its five weights towards the one that would have predicted best. The
// unpacker calls DecodeAudioByte; the packer calls the same two steps with
// the error it computes, so both sides adapt identically.
#pragma once

#include <cstdint>

struct AudioChannelState {
  int k1 = 0, k2 = 0, k3 = 0, k4 = 0, k5 = 0;  // weights, each -17..16
  int d1 = 0, d2 = 0, d3 = 0, d4 = 0;          // recent deltas (d2..d4 differences of them)
  int lastDelta = 0;                           // -128..127
  uint32_t dif[11] = {};   // error sums of the eleven candidate adjustments
  uint32_t byteCount = 0;  // bytes decoded on this channel
  int lastByte = 0;        // -255..255: the last result, not reduced to a byte
};

// Step 1 and 2: shifts the delta history and returns the prediction 0..255.
// channelDelta is the delta of the previous byte of any channel.
int PredictAudioByte(AudioChannelState& state, int channelDelta);

// Steps 3 to 5: learns from the error of the byte result = prediction - error.
void AdaptAudioState(AudioChannelState& state, int& channelDelta, uint32_t error, int result);

// One multimedia byte from its coded error (0..255).
inline uint8_t DecodeAudioByte(AudioChannelState& state, int& channelDelta, uint32_t error) {
  int result = PredictAudioByte(state, channelDelta) - int(error);
  AdaptAudioState(state, channelDelta, error, result);
  return uint8_t(result);
}
