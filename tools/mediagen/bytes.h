#pragma once
// Byte buffers for the file encoders.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void putLe16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void putLe32(Bytes& b, uint32_t v) {
    putLe16(b, v & 0xFFFF);
    putLe16(b, v >> 16);
}

// Writes the bytes; returns false (with a line on stderr) when it cannot.
bool writeFile(const std::string& path, const Bytes& bytes);
