#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A 16-bit PCM WAV file written a block at a time, so a long recording never
// has to be held in memory.
struct WavWriter;

// nullptr when the file cannot be created.
WavWriter* openWavWriter(const std::string& path, int sampleRate, int channels);
// `frames` frames of interleaved samples; false when the write failed.
bool appendWav(WavWriter* writer, const int16_t* samples, size_t frames);
// Finishes the header; false when anything could not be written.
bool closeWavWriter(WavWriter* writer);
