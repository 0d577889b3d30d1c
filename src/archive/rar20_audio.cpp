// The multimedia predictor's weight adaptation.
#include "archive/rar20_audio.h"

// The first of equal sums wins; Dif[0], no adjustment, changes nothing.
void AdjustAudioWeights(AudioChannelState& s) {
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
