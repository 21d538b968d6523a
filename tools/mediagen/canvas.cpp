#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

Colour hex(uint32_t rgb) {
    return {float((rgb >> 16) & 255) / 255.0f, float((rgb >> 8) & 255) / 255.0f,
            float(rgb & 255) / 255.0f};
}

Canvas::Canvas(int w, int h, Colour fill) : width(w), height(h), texels(size_t(w) * size_t(h)) {
    for (auto& t : texels) t.c = fill;
}

Texel& Canvas::at(int x, int y) {
    x = ((x % width) + width) % width;
    y = ((y % height) + height) % height;
    return texels[size_t(y) * size_t(width) + size_t(x)];
}

void Canvas::blend(int x, int y, Colour c, float alpha) {
    if (alpha <= 0) return;
    Texel& t = at(x, y);
    t.c = mix(t.c, c, std::min(alpha, 1.0f));
}

void Canvas::fillRect(float x0, float y0, float x1, float y1, Colour c, float alpha) {
    for (int y = int(std::floor(y0)); y < int(std::ceil(y1)); ++y)
        for (int x = int(std::floor(x0)); x < int(std::ceil(x1)); ++x) {
            // Partial coverage at the edges keeps thin features smooth.
            float cx = std::clamp(std::min(float(x + 1), x1) - std::max(float(x), x0), 0.0f, 1.0f);
            float cy = std::clamp(std::min(float(y + 1), y1) - std::max(float(y), y0), 0.0f, 1.0f);
            blend(x, y, c, alpha * cx * cy);
        }
}

void Canvas::fillCircle(float cx, float cy, float radius, Colour c, float alpha) {
    for (int y = int(std::floor(cy - radius - 1)); y <= int(std::ceil(cy + radius + 1)); ++y)
        for (int x = int(std::floor(cx - radius - 1)); x <= int(std::ceil(cx + radius + 1)); ++x) {
            float d = std::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy);
            blend(x, y, c, alpha * std::clamp(radius - d + 0.5f, 0.0f, 1.0f));
        }
}

void Canvas::addGlow(float cx, float cy, float radius, Colour c) {
    for (int y = int(std::floor(cy - radius)); y <= int(std::ceil(cy + radius)); ++y)
        for (int x = int(std::floor(cx - radius)); x <= int(std::ceil(cx + radius)); ++x) {
            float d = std::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy) / radius;
            if (d >= 1) continue;
            float k = (1 - d) * (1 - d);
            Texel& t = at(x, y);
            t.c = t.c + c * k;
        }
}

void Canvas::line(float x0, float y0, float x1, float y1, float w, Colour c, float alpha) {
    float minX = std::min(x0, x1) - w, maxX = std::max(x0, x1) + w;
    float minY = std::min(y0, y1) - w, maxY = std::max(y0, y1) + w;
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = int(std::floor(minY)); y <= int(std::ceil(maxY)); ++y)
        for (int x = int(std::floor(minX)); x <= int(std::ceil(maxX)); ++x) {
            float px = float(x) + 0.5f - x0, py = float(y) + 0.5f - y0;
            float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
            float d = std::hypot(px - t * dx, py - t * dy);
            blend(x, y, c, alpha * std::clamp(w / 2 - d + 0.5f, 0.0f, 1.0f));
        }
}

std::vector<uint8_t> Canvas::bgr(bool withAlpha) const {
    auto byte = [](float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    std::vector<uint8_t> out;
    out.reserve(texels.size() * (withAlpha ? 4 : 3));
    for (const auto& t : texels) {
        out.push_back(byte(t.c.b));
        out.push_back(byte(t.c.g));
        out.push_back(byte(t.c.r));
        if (withAlpha) out.push_back(byte(t.a));
    }
    return out;
}

float tiledNoise(float x, float y, int period, uint32_t seed) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    float fx = x - float(x0), fy = y - float(y0);
    auto wrap = [period](int v) { return ((v % period) + period) % period; };
    auto corner = [&](int dx, int dy) { return latticeValue(wrap(x0 + dx), wrap(y0 + dy), seed); };
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx;
    float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

float tiledFractal(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * tiledNoise(x, y, period, seed + uint32_t(o) * 101u);
        weight += amplitude;
        amplitude *= 0.5f;
        x *= 2, y *= 2, period *= 2;
    }
    return sum / weight;
}
