#include "splash.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "rng.h"

namespace {

struct Stroke {
    std::vector<std::pair<float, float>> points;  // in a letter box 0.8 wide, 1 high, y down
};
using Letter = std::vector<Stroke>;

// The title's own angular letters.
const Letter kV = {{{{0, 0}, {0.4f, 1}, {0.8f, 0}}}};
const Letter kE = {{{{0.78f, 0}, {0, 0}, {0, 1}, {0.78f, 1}}}, {{{0, 0.5f}, {0.6f, 0.5f}}}};
const Letter kX = {{{{0, 0}, {0.8f, 1}}}, {{{0.8f, 0}, {0, 1}}}};
const Letter kA = {{{{0, 1}, {0.4f, 0}, {0.8f, 1}}}, {{{0.18f, 0.62f}, {0.62f, 0.62f}}}};
const Letter kR = {
    {{{0, 1}, {0, 0}, {0.58f, 0}, {0.78f, 0.14f}, {0.78f, 0.36f}, {0.58f, 0.5f}, {0, 0.5f}}},
    {{{0.42f, 0.5f}, {0.8f, 1}}}};

// Draws the word's strokes, `width` pixels wide, into a coverage canvas.
void strokeTitle(Canvas& mask, float left, float top, float height, float width) {
    const Letter* word[] = {&kV, &kE, &kX, &kA, &kR};
    float x = left;
    for (const Letter* letter : word) {
        for (const Stroke& s : *letter)
            for (size_t i = 1; i < s.points.size(); ++i)
                mask.line(x + s.points[i - 1].first * height, top + s.points[i - 1].second * height,
                          x + s.points[i].first * height, top + s.points[i].second * height, width,
                          {1, 1, 1});
        x += height * 1.12f;
    }
}

void paintSky(Canvas& c) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            float fx = float(x) / float(c.width), fy = float(y) / float(c.height);
            Colour base = mix(hex(0x060818), hex(0x120a24), fy);
            // Two veils of nebula, magenta and teal.
            float n1 = tiledFractal(fx * 6, fy * 4.5f, 64, 5, 101);
            float n2 = tiledFractal(fx * 5 + 3, fy * 4 + 7, 64, 5, 202);
            float band = std::exp(-std::pow((fy - 0.55f + 0.25f * fx) * 3.2f, 2.0f));
            base = base + hex(0x8a2a78) * (std::pow(n1, 2.5f) * 1.1f * band);
            base = base + hex(0x1f7f8f) * (std::pow(n2, 3.0f) * 0.8f * (1 - band * 0.5f));
            c.at(x, y).c = base;
        }
}

void paintStars(Canvas& c) {
    Rng rng(303);
    for (int i = 0; i < 900; ++i) {
        float x = rng.range(0, 640), y = rng.range(0, 480);
        float b = std::pow(rng.unit(), 3.0f);
        Colour tint = mix(hex(0xaac8ff), hex(0xfff0d8), rng.unit());
        c.fillRect(x, y, x + 1, y + 1, tint, 0.3f + 0.7f * b);
        if (b > 0.75f) c.addGlow(x + 0.5f, y + 0.5f, 4 + 6 * b, tint * 0.35f);
    }
}

// A ringed planet low on the left, lit from the upper right.
void paintPlanet(Canvas& c) {
    const float cx = 150, cy = 430, r = 190;
    const float lx = 0.6f, ly = -0.55f, lz = 0.58f;
    for (int y = int(cy - r); y < c.height; ++y)
        for (int x = 0; x < int(cx + r) + 1; ++x) {
            float dx = (float(x) + 0.5f - cx) / r, dy = (float(y) + 0.5f - cy) / r;
            float d2 = dx * dx + dy * dy;
            if (d2 >= 1) continue;
            float dz = std::sqrt(1 - d2);
            float light = std::max(0.0f, dx * lx + dy * ly + dz * lz);
            float bands = tiledFractal(dy * 8 + 0.3f * dx, dx * 0.5f, 64, 4, 404);
            Colour surface = mix(hex(0x3a2a5a), hex(0xc07a50), bands);
            Colour lit =
                surface * (0.05f + 0.95f * light) + hex(0x6fa8ff) * std::pow(1 - dz, 4.0f) * 0.6f;
            float edge = std::clamp((1 - std::sqrt(d2)) * r, 0.0f, 1.0f);
            c.blend(x, y, lit, edge);
        }
}

// A distant battle moon on the right, the player's first target.
void paintMoon(Canvas& c) {
    const float cx = 530, cy = 318, r = 42;
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            float dx = (float(x) + 0.5f - cx) / r, dy = (float(y) + 0.5f - cy) / r;
            float d2 = dx * dx + dy * dy;
            if (d2 >= 1) continue;
            float dz = std::sqrt(1 - d2);
            float light = std::max(0.0f, 0.45f * dx - 0.5f * dy + 0.74f * dz);
            float plates = 0.85f + 0.15f * tiledNoise(dx * 9 + 20, dy * 9 + 20, 64, 505);
            Colour grey = hex(0xaab0b8) * (plates * (0.06f + 0.94f * light));
            if (std::fabs(dy) < 0.035f) grey = grey * 0.3f;  // the trench
            float dish = std::hypot(dx - 0.3f, dy + 0.38f);
            if (dish < 0.22f) grey = grey * (0.6f + 0.4f * dish / 0.22f);
            c.blend(x, y, grey, std::clamp((1 - std::sqrt(d2)) * r, 0.0f, 1.0f));
        }
}

void paintTitle(Canvas& c) {
    const float height = 84, width = 15, top = 120;
    const float wordWidth = 5.28f * height, left = (float(c.width) - wordWidth) / 2;
    Canvas mask(c.width, c.height, {0, 0, 0});
    strokeTitle(mask, left, top, height, width);
    // A soft halo: wider and wider strokes, each one fainter.
    Canvas halo(c.width, c.height, {0, 0, 0});
    for (float spread : {1.6f, 2.4f, 3.4f, 4.6f}) {
        Canvas ring(c.width, c.height, {0, 0, 0});
        strokeTitle(ring, left, top, height, width * spread);
        for (size_t i = 0; i < halo.texels.size(); ++i)
            halo.texels[i].c.r += 0.25f * ring.texels[i].c.r;
    }
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            float glow = halo.at(x, y).c.r, cover = mask.at(x, y).c.r;
            Texel& t = c.at(x, y);
            t.c = t.c * (1 - 0.5f * glow) + hex(0x2a70ff) * (0.55f * glow * glow);
            float fy = std::clamp((float(y) - top) / height, 0.0f, 1.0f);
            Colour metal = fy < 0.5f ? mix(hex(0xffffff), hex(0x9fe4ff), fy * 2)
                                     : mix(hex(0x3a8cff), hex(0xb8f0ff), (fy - 0.5f) * 2);
            t.c = mix(t.c, metal, cover);
        }
    // A thin rule under the title.
    c.fillRect(left, top + height + 22, left + wordWidth, top + height + 24, hex(0x9fe4ff), 0.8f);
}

// Darkens a rectangle smoothly so that controls drawn over it stay readable.
void calm(Canvas& c, float x0, float y0, float x1, float y1, float strength) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            float dx = std::max({x0 - float(x), float(x) - x1, 0.0f});
            float dy = std::max({y0 - float(y), float(y) - y1, 0.0f});
            float k = strength * std::exp(-(dx * dx + dy * dy) / 600.0f);
            Texel& t = c.at(x, y);
            t.c = t.c * (1 - k);
        }
}

}  // namespace

Canvas paintSplash() {
    Canvas c(640, 480, {0, 0, 0});
    paintSky(c);
    paintStars(c);
    paintPlanet(c);
    paintMoon(c);
    paintTitle(c);
    calm(c, 0, 0, 640, 24, 0.75f);
    calm(c, 556, 408, 636, 456, 0.55f);
    return c;
}
