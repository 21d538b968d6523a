#pragma once
#include <cstdint>
#include <vector>

// Library picture decoders. Each fills `pixels` with width x height pixels of
// four bytes, blue, green, red, 255, top row first, and returns false (leaving
// nothing behind) when the file cannot be read or decoded.
bool decodeBmpFile(const char* path, std::vector<uint8_t>& pixels, int& width, int& height);
bool decodeJpegFile(const char* path, std::vector<uint8_t>& pixels, int& width, int& height);
