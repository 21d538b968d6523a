#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes a TGA file held in memory: types 1 and 9 (colour-mapped, 8-bit
// indices into a 24-bit map) and 2 and 10 (true colour, 16, 24 or 32 bits),
// the run-length types packet by packet. A zero descriptor byte turns the
// picture by 180 degrees. Pixels come out as blue, green, red, alpha, with
// alpha 255 where the file has none. Anything it cannot decode in full
// (other types, truncated data, runs past the last pixel, indices past the
// colour map) gives false.
bool decodeTga(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width,
               int& height);
