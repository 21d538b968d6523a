#include "textures.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

namespace {

struct Area {
    int x0, y0, x1, y1;
};

Area areaOf(const Canvas& c, UvRect r) {
    return {int(r.u0 * float(c.width)), int(r.v0 * float(c.height)), int(r.u1 * float(c.width)),
            int(r.v1 * float(c.height))};
}

// Hull plating: plates of slightly different shade with dark seams, a few
// darker hatches and a fine grime of noise.
void paintPlating(Canvas& c, Area a, int plateW, int plateH, Colour base, uint32_t seed) {
    Rng rng(seed);
    for (int y = a.y0; y < a.y1; y += plateH) {
        int shift = rng.below(plateW);
        for (int x = a.x0 - shift; x < a.x1; x += plateW) {
            Colour shade = base * rng.range(0.82f, 1.12f);
            float x0 = float(std::max(x, a.x0)), x1 = float(std::min(x + plateW, a.x1));
            float y1 = float(std::min(y + plateH, a.y1));
            c.fillRect(x0, float(y), x1, y1, shade);
            c.fillRect(x0, float(y), x1, float(y) + 1, base * 1.3f, 0.6f);  // lit upper edge
            c.fillRect(x0, y1 - 1, x1, y1, base * 0.35f);                   // seam
            c.fillRect(x1 - 1, float(y), x1, y1, base * 0.35f);
            if (rng.unit() < 0.3f) {  // a hatch or vent
                float w = rng.range(0.2f, 0.5f) * float(plateW),
                      h = rng.range(0.2f, 0.5f) * float(plateH);
                float hx = x0 + rng.range(2, std::max(3.0f, x1 - x0 - w - 2));
                float hy = float(y) + rng.range(2, std::max(3.0f, float(plateH) - h - 2));
                c.fillRect(hx, hy, std::min(hx + w, x1 - 2), hy + h, base * 0.6f);
            }
        }
    }
    for (int y = a.y0; y < a.y1; ++y)
        for (int x = a.x0; x < a.x1; ++x) {
            float n = tiledFractal(float(x) / 16.0f, float(y) / 16.0f, 64, 4, seed + 7);
            Texel& t = c.at(x, y);
            t.c = t.c * (0.8f + 0.4f * n);
        }
}

// A round lamp: a bright core fading into a coloured halo.
void paintLamp(Canvas& c, Area a, Colour halo, Colour core) {
    float cx = float(a.x0 + a.x1) / 2, cy = float(a.y0 + a.y1) / 2;
    float r = float(a.x1 - a.x0) / 2;
    for (int y = a.y0; y < a.y1; ++y)
        for (int x = a.x0; x < a.x1; ++x) {
            float d = std::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy) / r;
            float k = std::clamp(1 - d, 0.0f, 1.0f);
            c.at(x, y).c = mix(halo * (0.25f + 0.75f * k), core, k * k * k);
        }
}

// Rows of small lit windows, some of them dark.
void paintWindows(Canvas& c, Area a, int spacingX, int spacingY, Colour light, uint32_t seed) {
    Rng rng(seed);
    for (int y = a.y0 + spacingY / 2; y + 3 < a.y1; y += spacingY)
        for (int x = a.x0 + 2; x + spacingX / 2 < a.x1; x += spacingX) {
            bool lit = rng.unit() < 0.75f;
            Colour w = lit ? light * rng.range(0.75f, 1.1f) : hex(0x1a1f26);
            c.fillRect(float(x), float(y), float(x + spacingX / 2), float(y + 3), w);
        }
}

}  // namespace

Canvas paintDeathStar() {
    Canvas c(512, 256, hex(0x8c9199));
    paintPlating(c, {0, 0, 512, 256}, 32, 16, hex(0x8c9199), 11);
    // Darker latitude bands of heavier armour.
    for (int band : {48, 80, 176, 208})
        c.fillRect(0, float(band), 512, float(band) + 3, hex(0x3a3e44));
    // The equatorial trench, with its lights.
    c.fillRect(0, 122, 512, 134, hex(0x202328));
    c.fillRect(0, 122, 512, 123, hex(0x60656d));
    Rng rng(17);
    for (int x = 0; x < 512; x += 6) {
        if (rng.unit() < 0.6f) c.fillRect(float(x), 127, float(x) + 2, 129, hex(0xffd88a));
    }
    // The great dish of the upper hemisphere; stretched sideways like the
    // rest of the map so that it is round on the sphere.
    float cx = 150, cy = 78, r = 30;
    float stretch = 1.0f / std::cos((0.5f - cy / 256.0f) * kPi);
    for (int y = int(cy - r - 2); y <= int(cy + r + 2); ++y)
        for (int x = int(cx - r * stretch - 2); x <= int(cx + r * stretch + 2); ++x) {
            float d = std::hypot((float(x) - cx) / stretch, float(y) - cy) / r;
            if (d > 1.05f) continue;
            float ring = 0.5f + 0.5f * std::cos(d * 40);
            Colour dish = mix(hex(0x50555c), hex(0x9aa0a8), 0.4f * ring + 0.6f * d);
            float edge = std::clamp((1.05f - d) * 20, 0.0f, 1.0f);
            c.blend(x, y, d > 0.95f ? hex(0x2c3035) : dish, edge);
        }
    c.fillCircle(cx, cy, 3, hex(0x9dfcd2));
    c.addGlow(cx, cy, 9, hex(0x30a070));
    // Scattered lights of the surface.
    for (int i = 0; i < 260; ++i) {
        float x = rng.range(0, 512), y = rng.range(20, 236);
        c.fillRect(x, y, x + 1.5f, y + 1.5f, rng.unit() < 0.7f ? hex(0xfff0c0) : hex(0x9fd8ff));
    }
    return c;
}

Canvas paintDroid() {
    Canvas c(256, 256, hex(0x3a3f47));
    Area hull = areaOf(c, atlas::kDroidHull);
    paintPlating(c, hull, 32, 16, hex(0x8a919b), 23);
    // Red hazard stripes along the middle of the hull.
    for (int x = 0; x < 256; x += 16) c.line(float(x), 54, float(x) + 10, 70, 5, hex(0xe0303a));
    c.fillRect(0, 52, 256, 54, hex(0x1c1f24));
    c.fillRect(0, 70, 256, 72, hex(0x1c1f24));
    // Band of small red running lights near the top.
    for (int x = 4; x < 256; x += 32) c.fillCircle(float(x), 10, 2.5f, hex(0xff4030));
    paintLamp(c, areaOf(c, atlas::kDroidEye), hex(0xc01010), hex(0xfff0c0));
    paintLamp(c, areaOf(c, atlas::kDroidEngine), hex(0xff6a10), hex(0xfffbe0));
    return c;
}

Canvas paintRadar() {
    Canvas c(256, 256, hex(0x505a48));
    paintPlating(c, areaOf(c, atlas::kRadarBody), 32, 16, hex(0x98a488), 31);
    // The dish: concentric rings getting brighter towards the rim.
    Area dish = areaOf(c, atlas::kRadarDish);
    for (int y = dish.y0; y < dish.y1; ++y) {
        float v = float(y - dish.y0) / float(dish.y1 - dish.y0);
        Colour ring = mix(hex(0x6f7780), hex(0xd8dde2), v);
        if (int(v * 12) % 2) ring = ring * 0.85f;
        c.fillRect(float(dish.x0), float(y), float(dish.x1), float(y + 1), ring);
    }
    for (int x = dish.x0; x < dish.x1; x += 16)
        c.fillRect(float(x), float(dish.y0), float(x + 1), float(dish.y1), hex(0x4a5058));
    // The barrel: dark metal with yellow warning bands.
    Area barrel = areaOf(c, atlas::kRadarBarrel);
    c.fillRect(float(barrel.x0), float(barrel.y0), float(barrel.x1), float(barrel.y1),
               hex(0x2e3338));
    for (int y = barrel.y0 + 8; y < barrel.y1; y += 32)
        for (int x = barrel.x0; x < barrel.x1; x += 12)
            c.line(float(x), float(y), float(x) + 8, float(y) + 8, 4, hex(0xd8b020));
    for (int x = barrel.x0; x < barrel.x1; x += 8)
        c.fillRect(float(x), float(barrel.y0), float(x + 1), float(barrel.y1), hex(0x1a1d21));
    paintLamp(c, areaOf(c, atlas::kRadarLamp), hex(0xd02010), hex(0xffe8b0));
    return c;
}

Canvas paintStation() {
    Canvas c(512, 512, hex(0xb4b8be));
    Area hull = areaOf(c, atlas::kStationHull);
    paintPlating(c, hull, 64, 32, hex(0xb4b8be), 41);
    paintWindows(c, {0, 40, 512, 200}, 12, 24, hex(0xffe6a0), 43);
    c.fillRect(0, 224, 512, 232, hex(0x2a6fb0));  // a blue identification band
    Area ring = areaOf(c, atlas::kStationRing);
    paintPlating(c, ring, 64, 32, hex(0xa6abb2), 47);
    // Window bands round the outer rim and round the inner rim, which faces
    // the hub (the ring's profile starts and ends on its inner side).
    c.fillRect(0, float(ring.y0 + 52), 512, float(ring.y0 + 76), hex(0x20252c));
    paintWindows(c, {0, ring.y0 + 54, 512, ring.y0 + 76}, 8, 8, hex(0xbfe8ff), 53);
    for (int edge : {ring.y0, ring.y1 - 12}) {
        c.fillRect(0, float(edge), 512, float(edge + 12), hex(0x20252c));
        paintWindows(c, {0, edge + 1, 512, edge + 11}, 8, 6, hex(0xffe6a0), 61 + uint32_t(edge));
    }
    paintPlating(c, areaOf(c, atlas::kStationMetal), 32, 32, hex(0x7a8088), 59);
    paintLamp(c, areaOf(c, atlas::kStationBeacon), hex(0x10a040), hex(0xe0ffe8));
    return c;
}

Canvas paintSolarPanel() {
    Canvas c(256, 256, hex(0xc8ccd2));
    Area cells = areaOf(c, atlas::kPanelCells);
    // A 4 x 6 grid of cells on a silver frame; flat colours so that the
    // run-length coding has long runs to pack.
    const int cols = 4, rows = 6, frame = 3;
    float cw = float(cells.x1 - cells.x0) / cols, ch = float(cells.y1 - cells.y0) / rows;
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) {
            float x0 = float(cells.x0) + float(k) * cw + frame,
                  y0 = float(cells.y0) + float(r) * ch + frame;
            float x1 = x0 + cw - 2 * frame, y1 = y0 + ch - 2 * frame;
            c.fillRect(x0, y0, x1, y1, hex(0x24489a));
            c.fillRect(x0, y0, x1, y0 + (y1 - y0) / 2, hex(0x2f5cb8));  // sheen on the upper half
            for (int f = 1; f < 4; ++f) {                               // conductor lines
                float fy = y0 + (y1 - y0) * float(f) / 4;
                c.fillRect(x0, fy, x1, fy + 1, hex(0x6f86b8));
            }
            c.fillRect(x0 + (x1 - x0) / 2, y0, x0 + (x1 - x0) / 2 + 1, y1, hex(0x6f86b8));
        }
    Area truss = areaOf(c, atlas::kPanelTruss);
    c.fillRect(float(truss.x0), float(truss.y0), float(truss.x1), float(truss.y1), hex(0x8d939b));
    for (int x = truss.x0; x < truss.x1; x += 32) {
        c.line(float(x), float(truss.y0 + 4), float(x + 32), float(truss.y1 - 4), 4, hex(0x50565e));
        c.line(float(x), float(truss.y1 - 4), float(x + 32), float(truss.y0 + 4), 4, hex(0x50565e));
    }
    c.fillRect(float(truss.x0), float(truss.y0), float(truss.x1), float(truss.y0 + 4),
               hex(0x5a6068));
    c.fillRect(float(truss.x0), float(truss.y1 - 4), float(truss.x1), float(truss.y1),
               hex(0x5a6068));
    return c;
}

Canvas paintShot() {
    Canvas c(64, 64, hex(0x000000));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float d = std::hypot(float(x) + 0.5f - 32, float(y) + 0.5f - 32) / 30.0f;
            float k = std::clamp(1 - d, 0.0f, 1.0f);
            Texel& t = c.at(x, y);
            // White-hot core, green-cyan plasma around it, transparent rim.
            t.c = mix(hex(0x40ff90), hex(0xffffff), std::pow(k, 3.0f));
            t.a = std::pow(k, 1.5f);
        }
    return c;
}

Canvas paintBlueScreen() {
    Canvas c(128, 128, hex(0x0000ff));
    for (int y = 0; y < 128; ++y)
        c.fillRect(0, float(y), 128, float(y + 1),
                   mix(hex(0x1020ff), hex(0x4060ff), float(y) / 127.0f));
    return c;
}
