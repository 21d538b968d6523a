#pragma once
#include <cstdint>
#include <string>

// Writes a picture as an 8-bit RGBA PNG file: `rgba` holds width x height
// pixels of red, green, blue, alpha, top row first. Used for screenshots of
// replays and for generated icons. False when the file cannot be written.
bool writePngFile(const std::string& path, const uint8_t* rgba, int width, int height);
