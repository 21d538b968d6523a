#pragma once
#include <cstdint>

// The game's one random source: the classic C runtime generator
// (s = s * 214013 + 2531011, result (s >> 16) & 32767). glibc's rand() is a
// different sequence, and the world layout depends on this exact one.
void gameSrand(uint32_t seed);
int gameRand();

constexpr int kGameRandMax = 32767;
