#pragma once
// The generator's own random source (SplitMix64): fixed seeds give the same
// media on every machine, whatever the C library's rand does.
#include <cstdint>

struct Rng {
    uint64_t state;
    explicit Rng(uint64_t seed) : state(seed) {}
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= unit() < 1
    float unit() { return float(next() >> 40) / float(1ull << 24); }
    float range(float low, float high) { return low + (high - low) * unit(); }
    int below(int n) { return int(next() % uint64_t(n)); }
};

// A hash of integer coordinates into 0..1, for noise lattices.
inline float latticeValue(int x, int y, uint32_t seed) {
    uint64_t h = uint64_t(uint32_t(x)) * 0x8DA6B343ull ^ uint64_t(uint32_t(y)) * 0xD8163841ull ^
                 uint64_t(seed) * 0xCB1AB31Full;
    Rng r(h);
    return r.unit();
}
