#pragma once
// Encoders for the three picture formats the game reads.
#include "canvas.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

Bytes encodeBmp(const Canvas& canvas);  // 24-bit, stored bottom-up
// 24-bit (or 32-bit with the canvas alpha), top row first; run-length
// packets when `runLength` is set.
Bytes encodeTga(const Canvas& canvas, bool withAlpha, bool runLength);
Bytes encodeJpeg(const Canvas& canvas, int quality);

// Writes the bytes; returns false (with a line on stderr) when it cannot.
bool writeFile(const std::string& path, const Bytes& bytes);
