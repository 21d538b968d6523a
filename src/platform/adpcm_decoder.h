#pragma once
#include <cstdint>
#include <vector>

// Decodes Microsoft ADPCM (WAVE format tag 2) to 16-bit PCM with libsndfile.
// `format` is the file's whole "fmt" chunk, `data` its "data" chunk. False
// when the library refuses the stream; `samples` then is empty.
bool decodeMsAdpcm(const uint8_t* format, uint32_t formatSize, const uint8_t* data,
                   uint32_t dataSize, std::vector<int16_t>& samples);
