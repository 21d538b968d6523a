#include "render/gl1/texture_cache.h"

#include "model/model_types.h"
#include "model/picture.h"
#include "model/scene_object.h"
#include "platform/error_box.h"
#include "platform/media_path.h"
#include "render/gl1/gl.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr int kCacheSlots = 255;
constexpr int kLeastMipmapSides = 128;  // width + height

struct TextureCacheEntry {
    char name[kFileNameSize];
    uint32_t textureId;
    int32_t width;
    int32_t height;
    int32_t alphaMode;
};

struct TextureCache {
    TextureCacheEntry entries[kCacheSlots];
    int32_t count;
    bool highQualityTextures;
};

TextureCache cache;

// The low 8 bits of the value truncated toward zero; values an int cannot
// hold wrap the same way instead of being undefined.
uint8_t alphaByteOf(float value) {
    if (!std::isfinite(value)) return 0;
    return uint8_t(int(std::fmod(std::trunc(double(value)), 256.0)) & 255);
}

// Turns blue-green-red-alpha pixels into red-green-blue-alpha and sets alpha
// by the model's rule.
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

GLint levelZeroFormat(int32_t alphaMode) {
    if (cache.highQualityTextures) return alphaMode != kAlphaNone ? GL_RGBA : GL_RGB;
    return alphaMode != kAlphaNone ? GL_RGBA2 : GL_R3_G3_B2;
}

TextureCacheEntry* findSlot(uint32_t textureId) {
    for (auto& entry : cache.entries)
        if (entry.textureId == textureId) return &entry;
    return nullptr;
}

// One 2 x 2 box-filtered level. Where a side is odd or already 1 the last row
// or column stands in for the missing one, so nothing outside the level is read.
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

}  // namespace

uint32_t loadTexture(const char* fileName, int32_t alphaMode, float alphaValue) {
    for (const auto& entry : cache.entries)
        if (std::strcmp(entry.name, fileName) == 0) return entry.textureId;
    if (cache.count >= kCacheSlots) {
        reportFileError("Unable to load the texture file:", buildMediaPath(fileName),
                        "more textures than the 255 the game holds");
        return 0;
    }
    TextureCacheEntry& slot = cache.entries[cache.count];
    std::strncpy(slot.name, fileName, kFileNameSize - 1);
    slot.name[kFileNameSize - 1] = '\0';
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    if (!loadTexturePicture(fileName, pixels, width, height)) return 0;
    slot.width = width;
    slot.height = height;
    slot.alphaMode = alphaMode;
    glGenTextures(1, &slot.textureId);
    glBindTexture(GL_TEXTURE_2D, slot.textureId);
    applyAlphaRule(pixels, alphaMode, alphaValue);
    glTexImage2D(GL_TEXTURE_2D, 0, levelZeroFormat(alphaMode), width, height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    ++cache.count;
    return slot.textureId;
}

bool buildMipmaps(uint32_t textureId) {
    if (textureId == 0 || !cache.highQualityTextures) return false;
    const TextureCacheEntry* slot = findSlot(textureId);
    if (!slot || slot->width < 1 || slot->height < 1 ||
        slot->width + slot->height < kLeastMipmapSides)
        return false;
    int width = slot->width, height = slot->height;
    std::vector<uint8_t> level(size_t(width) * size_t(height) * 4);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, level.data());
    GLint format = slot->alphaMode != kAlphaNone ? GL_RGBA : GL_RGB;
    for (int n = 1; width + height > 2; ++n) {
        int newWidth = width > 1 ? width / 2 : 1;
        int newHeight = height > 1 ? height / 2 : 1;
        level = halveLevel(level, width, height, newWidth, newHeight);
        width = newWidth;
        height = newHeight;
        glTexImage2D(GL_TEXTURE_2D, n, format, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     level.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    return true;
}

void resetTextureCache(bool highQuality) {
    cache.highQualityTextures = highQuality;
    cache.count = 0;
    for (auto& entry : cache.entries) {
        entry.name[0] = '\0';
        entry.textureId = 0;
    }
}

void releaseTextureCache() {
    for (auto& entry : cache.entries) {
        if (entry.textureId != 0) glDeleteTextures(1, &entry.textureId);
        entry.name[0] = '\0';
        entry.textureId = 0;
    }
    glGetError();
}
