#pragma once
// Small picture files built byte by byte for the reader tests.
#include <cstdint>
#include <string>
#include <vector>

inline void putLittle16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}

// An 18-byte TGA header; the id field, colour map and pixel data follow.
inline std::string tgaHeader(int type, int width, int height, int depth, int descriptor,
                             int mapLength = 0, int idLength = 0) {
    std::string s;
    s += char(idLength);
    s += char(mapLength > 0 ? 1 : 0);
    s += char(type);
    putLittle16(s, 0);
    putLittle16(s, unsigned(mapLength));
    s += char(mapLength > 0 ? 24 : 0);
    putLittle16(s, 0);
    putLittle16(s, 0);
    putLittle16(s, unsigned(width));
    putLittle16(s, unsigned(height));
    s += char(depth);
    s += char(descriptor);
    return s;
}

inline std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += char(v);
    return s;
}

// A true-colour 24-bit TGA of solid blue-green-red pixels, rows as given.
inline std::string solidTga(int width, int height, int b, int g, int r) {
    std::string s = tgaHeader(2, width, height, 24, 32);
    for (int i = 0; i < width * height; ++i) s += bytes({b, g, r});
    return s;
}

// A 32-bit TGA from blue-green-red-alpha quadruples in file order.
inline std::string tga32(int width, int height, const std::vector<uint8_t>& bgra) {
    return tgaHeader(2, width, height, 32, 32) + std::string(bgra.begin(), bgra.end());
}
