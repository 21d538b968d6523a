#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A sound file read into 16-bit mono samples.
struct WavSound {
    int formatTag = 0;
    std::vector<int16_t> samples;
    const char* failure = "";  // why the file was refused, in words
};

// Reads a RIFF WAVE image held in memory. Returns 0, or one of loadSound's
// negative codes (sound_mixer.h) with the reason in `failure`; never reads
// outside `bytes`.
int readWav(const uint8_t* bytes, size_t size, WavSound& sound);
