#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Little-endian numbers at a place in a byte buffer.
inline uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// A read cursor over bytes held in memory, shared by the file readers: every
// read reports running out instead of reading past the end.
struct ByteCursor {
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;

    size_t left() const { return size - position; }
    // The next `count` bytes, or nullptr (and nothing taken) when fewer are left.
    const uint8_t* take(size_t count) {
        if (count > left()) return nullptr;
        const uint8_t* start = bytes + position;
        position += count;
        return start;
    }
    bool skip(size_t count) { return take(count) != nullptr; }
    bool byte(uint8_t& out) {
        const uint8_t* p = take(1);
        if (p) out = *p;
        return p != nullptr;
    }
    bool le32(uint32_t& out) {
        const uint8_t* p = take(4);
        if (p) out = ::le32(p);
        return p != nullptr;
    }
    // A four-character chunk id.
    bool tag(char out[4]) {
        const uint8_t* p = take(4);
        if (p) std::memcpy(out, p, 4);
        return p != nullptr;
    }
};
