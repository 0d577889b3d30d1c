// The multimedia predictor: prediction, error sums and weight adaptation.
#include "archive/rar20_audio.h"

#include <cstdlib>

namespace {

int SignedByte(int value) { return ((value & 0xFF) ^ 0x80) - 0x80; }

// Moves the weight whose adjustment had the smallest error sum (the first
// of equal sums wins; Dif[0], no adjustment, changes nothing) and restarts
// the sums.
void AdjustWeights(AudioChannelState& s) {
  uint32_t best = 0;
  for (uint32_t i = 1; i < 11; ++i)
    if (s.dif[i] < s.dif[best]) best = i;
  for (uint32_t& d : s.dif) d = 0;
  int* weights[5] = {&s.k1, &s.k2, &s.k3, &s.k4, &s.k5};
  if (best == 0) return;
  int& k = *weights[(best - 1) / 2];
  if (best % 2 == 1) {
    if (k >= -16) --k;
  } else if (k < 16) {
    ++k;
  }
}

}  // namespace

int PredictAudioByte(AudioChannelState& s, int channelDelta) {
  s.byteCount++;
  s.d4 = s.d3;
  s.d3 = s.d2;
  s.d2 = s.lastDelta - s.d1;
  s.d1 = s.lastDelta;
  int sum = 8 * s.lastByte + s.k1 * s.d1 + s.k2 * s.d2 + s.k3 * s.d3 + s.k4 * s.d4 + s.k5 * channelDelta;
  return (sum >> 3) & 0xFF;
}

void AdaptAudioState(AudioChannelState& s, int& channelDelta, uint32_t error, int result) {
  int e = SignedByte(int(error)) * 8;
  s.dif[0] += std::abs(e);
  s.dif[1] += std::abs(e - s.d1);
  s.dif[2] += std::abs(e + s.d1);
  s.dif[3] += std::abs(e - s.d2);
  s.dif[4] += std::abs(e + s.d2);
  s.dif[5] += std::abs(e - s.d3);
  s.dif[6] += std::abs(e + s.d3);
  s.dif[7] += std::abs(e - s.d4);
  s.dif[8] += std::abs(e + s.d4);
  s.dif[9] += std::abs(e - channelDelta);
  s.dif[10] += std::abs(e + channelDelta);
  channelDelta = s.lastDelta = SignedByte(result - s.lastByte);
  s.lastByte = result;
  if ((s.byteCount & 0x1F) == 0) AdjustWeights(s);
}
