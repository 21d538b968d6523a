#pragma once
#include <cstdint>

// The game's one random source: the classic C runtime generator
// (s = s * 214013 + 2531011, result (s >> 16) & 32767). glibc's rand() is a
// different sequence, and the world layout depends on this exact one. The
// state is a value the world owns, so a replay from the same seed repeats it.
struct RandomSource {
    uint32_t state = 1;
};

constexpr int kGameRandMax = 32767;

void gameSrand(RandomSource& random, uint32_t seed);
int gameRand(RandomSource& random);

// The three forms the game draws. 2 / 32767 and 1 / 32767 are kept as the
// 32-bit floats the game always used (6.1037019e-05 and 3.0518509e-05).
constexpr float kSignedUnitStep = 2.0f / float(kGameRandMax);
constexpr float kUnitStep = 1.0f / float(kGameRandMax);

// -1 .. +1
inline float signedUnit(RandomSource& random) {
    return 1.0f - float(gameRand(random)) * kSignedUnitStep;
}
// 0 .. 1
inline float unitDraw(RandomSource& random) { return float(gameRand(random)) * kUnitStep; }
// +1 or -1
inline float coin(RandomSource& random) { return gameRand(random) > 16383 ? 1.0f : -1.0f; }
