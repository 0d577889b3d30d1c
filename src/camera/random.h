// The one pseudo-random generator of the whole program, the same on every
// platform: state = state * 214013 + 2531011 (mod 2^32), each draw returning
// bits 16..30 of the new state. The state starts at 1; RandomSeed sets it
// directly, as srand does. Loading draws from the unseeded state, so scene
// values drawn then are the same in every run; the saver run seeds once
// after loading, so the flight differs between runs. Single-threaded use only.
#pragma once

#include <cstdint>

// Largest value RandomDraw returns.
constexpr int kRandomMax = 32767;

// Sets the state to seed (srand semantics: seed 1 restarts the sequence).
void RandomSeed(uint32_t seed);
// Next draw, 0..kRandomMax.
int RandomDraw();
// Next draw divided by kRandomMax: 0..1 inclusive.
float RandomFraction();
// Back to the start-up state 1, so tests in one process don't leak state.
void RandomReset();
