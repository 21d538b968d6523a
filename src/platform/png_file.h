#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a picture as an 8-bit RGBA PNG file: `rgba` holds width x height
// pixels of red, green, blue, alpha, top row first. Used for screenshots of
// replays and for generated icons. False when the file cannot be written.
bool writePngFile(const std::string& path, const uint8_t* rgba, int width, int height);
// Reads a PNG file of any kind as 8-bit RGBA, top row first. False (and
// nothing kept) when the file cannot be opened or decoded, or a side exceeds
// 16384 pixels.
bool readPngFile(const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height);
