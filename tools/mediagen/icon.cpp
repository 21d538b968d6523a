#include "icon.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "bytes.h"
#include "platform/png_file.h"

namespace {

// A round window on space: deep blue, lighter towards the upper left, with a
// thin bright rim. The corners stay transparent.
void paintDisc(Canvas& c, float s) {
    const float centre = s / 2, radius = s * 0.47f;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            float dx = float(x) + 0.5f - centre, dy = float(y) + 0.5f - centre;
            float d = std::hypot(dx, dy);
            float light = std::clamp(0.5f - (dx + dy) / (2.8f * radius), 0.0f, 1.0f);
            Colour space = mix(hex(0x05071a), hex(0x1c2f6e), light);
            float rim = std::clamp(1 - std::fabs(d - (radius - s * 0.03f)) / (s * 0.025f + 0.4f), 0.0f, 1.0f);
            Texel& t = c.at(x, y);
            t.c = mix(space, hex(0x6fb8ff), 0.6f * rim);
            t.a = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
        }
}

// A few stars, only where there is room for them.
void paintStars(Canvas& c, float s) {
    if (s < 32) return;
    const float stars[][3] = {{0.28f, 0.30f, 1.0f}, {0.70f, 0.24f, 0.7f}, {0.80f, 0.56f, 0.5f},
                              {0.22f, 0.62f, 0.6f}, {0.58f, 0.80f, 0.4f}, {0.40f, 0.18f, 0.5f}};
    for (const auto& star : stars)
        c.fillCircle(star[0] * s, star[1] * s, std::max(0.6f, s / 90), hex(0xe8f0ff), star[2]);
}

// The chevron of the title's V, metal over a blue halo, with the hunter
// droid's red eye in its point.
void paintChevron(Canvas& c, float s) {
    const float left = 0.25f * s, right = 0.75f * s, top = 0.30f * s, tip = 0.74f * s;
    const float stroke = std::max(2.0f, 0.11f * s);
    c.addGlow(0.5f * s, 0.5f * s, 0.42f * s, hex(0x1a3a90));
    c.line(left, top, 0.5f * s, tip, stroke * 1.8f, hex(0x2a70ff), 0.45f);
    c.line(0.5f * s, tip, right, top, stroke * 1.8f, hex(0x2a70ff), 0.45f);
    c.line(left, top, 0.5f * s, tip, stroke, hex(0xd8f4ff));
    c.line(0.5f * s, tip, right, top, stroke, hex(0x9fe4ff));
    c.addGlow(0.5f * s, 0.47f * s, std::max(1.5f, 0.09f * s), hex(0xff3020));
    c.fillCircle(0.5f * s, 0.47f * s, std::max(0.8f, 0.035f * s), hex(0xff6040));
}

}  // namespace

Canvas paintIcon(int size) {
    float s = float(size);
    Canvas c(size, size, {0, 0, 0});
    paintDisc(c, s);
    paintStars(c, s);
    paintChevron(c, s);
    return c;
}

namespace {

// Windows' icon file: every size as its PNG (as Windows Vista and later read
// them), each entry saying its size, 32 bits a pixel.
bool writeWindowsIcon(const std::string& path, const std::vector<Bytes>& pngs) {
    Bytes ico;
    putLe16(ico, 0);
    putLe16(ico, 1);  // an icon, not a cursor
    putLe16(ico, uint32_t(pngs.size()));
    uint32_t offset = uint32_t(6 + 16 * pngs.size());
    for (size_t i = 0; i < pngs.size(); ++i) {
        int size = kIconSizes[i];
        ico.push_back(uint8_t(size >= 256 ? 0 : size));  // 0 stands for 256
        ico.push_back(uint8_t(size >= 256 ? 0 : size));
        ico.push_back(0);  // no palette
        ico.push_back(0);
        putLe16(ico, 1);  // planes
        putLe16(ico, 32);
        putLe32(ico, uint32_t(pngs[i].size()));
        putLe32(ico, offset);
        offset += uint32_t(pngs[i].size());
    }
    for (const Bytes& png : pngs) ico.insert(ico.end(), png.begin(), png.end());
    return writeFile(path, ico);
}

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

bool writeIcons(const std::string& folder) {
    bool ok = true;
    std::vector<Bytes> pngs;
    for (int size : kIconSizes) {
        std::string dimension = std::to_string(size) + "x" + std::to_string(size);
        std::string apps = folder + "/hicolor/" + dimension + "/apps";
        std::error_code error;
        std::filesystem::create_directories(apps, error);
        std::vector<uint8_t> rgba = paintIcon(size).bgr(true);
        for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
        ok = !error && writePngFile(apps + "/vexar.png", rgba.data(), size, size) && ok;
        pngs.push_back(fileBytes(apps + "/vexar.png"));
    }
    return ok && writeWindowsIcon(folder + "/vexar.ico", pngs);
}
