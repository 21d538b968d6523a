#include "render/texture_pixels.h"

#include "model/model_types.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

// The low 8 bits of the value truncated toward zero; values an int cannot
// hold wrap the same way instead of being undefined.
uint8_t alphaByteOf(float value) {
    if (!std::isfinite(value)) return 0;
    return uint8_t(int(std::fmod(std::trunc(double(value)), 256.0)) & 255);
}

}  // namespace

void applyAlphaRule(std::vector<uint8_t>& pixels, int32_t alphaMode, float alphaValue) {
    uint8_t key[3] = {0, 0, 0};  // the first pixel's blue, green, red
    if (!pixels.empty()) std::memcpy(key, pixels.data(), 3);
    uint8_t fixedAlpha = alphaByteOf(alphaValue);
    for (size_t i = pixels.size(); i >= 4; i -= 4) {
        uint8_t* p = &pixels[i - 4];
        bool isKey = p[0] == key[0] && p[1] == key[1] && p[2] == key[2];
        std::swap(p[0], p[2]);
        unsigned sum = unsigned(p[0]) + p[1] + p[2];
        switch (alphaMode) {
        case kAlphaNone: p[3] = 255; break;
        case kAlphaLuminance: p[3] = uint8_t(sum / 3); break;
        case kAlphaIlluminance: p[3] = uint8_t(255 - sum / 3); break;
        case kAlphaBlackMask: p[3] = sum == 0 ? 0 : 255; break;
        case kAlphaRed: p[3] = sum == 765 ? 0 : 255; break;
        case kAlphaGreen: p[3] = isKey ? 0 : 255; break;
        case kAlphaRedMask: p[3] = fixedAlpha; break;
        default: break;  // the picture's own alpha
        }
    }
}

std::vector<uint8_t> halveLevel(const std::vector<uint8_t>& source, int width, int height,
                                int newWidth, int newHeight) {
    std::vector<uint8_t> result(size_t(newWidth) * size_t(newHeight) * 4);
    auto at = [&](int row, int column) {
        return &source[(size_t(row) * size_t(width) + size_t(column)) * 4];
    };
    for (int r = 0; r < newHeight; ++r) {
        int r0 = 2 * r < height ? 2 * r : height - 1;
        int r1 = 2 * r + 1 < height ? 2 * r + 1 : height - 1;
        for (int c = 0; c < newWidth; ++c) {
            int c0 = 2 * c < width ? 2 * c : width - 1;
            int c1 = 2 * c + 1 < width ? 2 * c + 1 : width - 1;
            uint8_t* out = &result[(size_t(r) * size_t(newWidth) + size_t(c)) * 4];
            for (int b = 0; b < 4; ++b)
                out[b] = uint8_t((at(r0, c0)[b] + at(r0, c1)[b] + at(r1, c0)[b] + at(r1, c1)[b]) / 4);
        }
    }
    return result;
}
