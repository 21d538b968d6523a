#include "render/gl1/texture_cache.h"

#include "model/model_types.h"
#include "model/picture.h"
#include "model/scene_object.h"
#include "platform/error_box.h"
#include "platform/media_path.h"
#include "render/gl1/gl.h"
#include "render/texture_pixels.h"

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

GLint levelZeroFormat(int32_t alphaMode) {
    if (cache.highQualityTextures) return alphaMode != kAlphaNone ? GL_RGBA : GL_RGB;
    return alphaMode != kAlphaNone ? GL_RGBA2 : GL_R3_G3_B2;
}

TextureCacheEntry* findSlot(uint32_t textureId) {
    for (auto& entry : cache.entries)
        if (entry.textureId == textureId) return &entry;
    return nullptr;
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
    std::vector<uint8_t> base(size_t(slot->width) * size_t(slot->height) * 4);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, base.data());
    const GLint format = slot->alphaMode != kAlphaNone ? GL_RGBA : GL_RGB;
    eachMipmapLevel(std::move(base), slot->width, slot->height,
                    [format](int n, int width, int height, const std::vector<uint8_t>& level) {
                        glTexImage2D(GL_TEXTURE_2D, n, format, width, height, 0, GL_RGBA,
                                     GL_UNSIGNED_BYTE, level.data());
                    });
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
