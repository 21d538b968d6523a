#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A sound file read into 16-bit mono samples.
struct WavSound {
    int formatTag = 0;
    std::vector<int16_t> samples;
};

// Reads a RIFF WAVE image held in memory. Returns 0, or one of loadSound's
// negative codes (sound_mixer.h); never reads outside `bytes`.
int readWav(const uint8_t* bytes, size_t size, WavSound& sound);
