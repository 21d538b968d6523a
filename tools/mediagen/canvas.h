#pragma once
// A floating-point RGBA picture to paint textures on; row 0 is the top.
#include <cstdint>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0;
};
inline Colour operator*(Colour c, float s) {
    return {c.r * s, c.g * s, c.b * s};
}
inline Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Colour mix(Colour a, Colour b, float t) {
    return a * (1 - t) + b * t;
}
Colour hex(uint32_t rgb);

struct Texel {
    Colour c;
    float a = 1;
};

struct Canvas {
    int width = 0, height = 0;
    std::vector<Texel> texels;

    Canvas(int w, int h, Colour fill);
    Texel& at(int x, int y);  // wraps around at the edges
    // Paints `c` over the texel with coverage `alpha`.
    void blend(int x, int y, Colour c, float alpha);
    void fillRect(float x0, float y0, float x1, float y1, Colour c, float alpha = 1);
    void fillCircle(float cx, float cy, float radius, Colour c, float alpha = 1);
    // Adds light: a soft round glow falling off over `radius`.
    void addGlow(float cx, float cy, float radius, Colour c);
    // An anti-aliased stroke with round ends.
    void line(float x0, float y0, float x1, float y1, float width, Colour c, float alpha = 1);

    // 8-bit blue-green-red(-alpha) bytes, top row first, values clamped.
    std::vector<uint8_t> bgr(bool withAlpha) const;
};

// Smooth value noise in 0..1 that repeats every `period` units on both axes.
float tiledNoise(float x, float y, int period, uint32_t seed);
// Several octaves of it, also tiling.
float tiledFractal(float x, float y, int period, int octaves, uint32_t seed);
