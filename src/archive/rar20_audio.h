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

// Shifts the channel's delta history and returns its prediction 0..255.
// channelDelta is the delta of the previous byte of any channel.
inline int PredictAudioByte(AudioChannelState& s, int channelDelta) {
  s.byteCount++;
  s.d4 = s.d3;
  s.d3 = s.d2;
  s.d2 = s.lastDelta - s.d1;
  s.d1 = s.lastDelta;
  int sum = 8 * s.lastByte + s.k1 * s.d1 + s.k2 * s.d2 + s.k3 * s.d3 + s.k4 * s.d4 + s.k5 * channelDelta;
  return (sum >> 3) & 0xFF;
}

// Every 32 bytes: moves the weight whose adjustment had the smallest error
// sum and restarts the sums.
void AdjustAudioWeights(AudioChannelState& s);

// Learns from the error of the byte result = prediction - error: the error
// sums, the deltas and the last byte; the weights every 32 bytes.
inline void AdaptAudioState(AudioChannelState& s, int& channelDelta, uint32_t error, int result) {
  int e = (int((error & 0xFF) ^ 0x80) - 0x80) * 8;  // the error as a signed byte, times 8
  auto magnitude = [](int v) { return uint32_t(v < 0 ? -v : v); };
  s.dif[0] += magnitude(e);
  s.dif[1] += magnitude(e - s.d1);
  s.dif[2] += magnitude(e + s.d1);
  s.dif[3] += magnitude(e - s.d2);
  s.dif[4] += magnitude(e + s.d2);
  s.dif[5] += magnitude(e - s.d3);
  s.dif[6] += magnitude(e + s.d3);
  s.dif[7] += magnitude(e - s.d4);
  s.dif[8] += magnitude(e + s.d4);
  s.dif[9] += magnitude(e - channelDelta);
  s.dif[10] += magnitude(e + channelDelta);
  channelDelta = s.lastDelta = (int(uint32_t(result - s.lastByte) & 0xFF) ^ 0x80) - 0x80;
  s.lastByte = result;
  if ((s.byteCount & 0x1F) == 0) AdjustAudioWeights(s);
}

// One multimedia byte from its coded error (0..255).
inline uint8_t DecodeAudioByte(AudioChannelState& state, int& channelDelta, uint32_t error) {
  int result = PredictAudioByte(state, channelDelta) - int(error);
  AdaptAudioState(state, channelDelta, error, result);
  return uint8_t(result);
}
