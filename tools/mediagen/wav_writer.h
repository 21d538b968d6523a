#pragma once
// Writes mono 16-bit sounds at 11025 Hz as WAV files: plain PCM by hand,
// Microsoft ADPCM through libsndfile's encoder.
#include <cstdint>
#include <string>
#include <vector>

bool writePcmWav(const std::string& path, const std::vector<int16_t>& samples);
bool writeAdpcmWav(const std::string& path, const std::vector<int16_t>& samples);
