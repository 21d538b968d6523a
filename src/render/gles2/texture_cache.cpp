#include "render/gles2/texture_cache.h"

#include "model/model_types.h"
#include "model/picture.h"
#include "platform/error_box.h"
#include "platform/media_path.h"
#include "render/gles2/gl.h"
#include "render/texture_pixels.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr size_t kCacheSlots = 255;
constexpr int kLeastMipmapSides = 128;  // width + height

struct CachedTexture {
    std::string name;
    uint32_t textureId = 0;  // 0: the picture could not be read
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // level 0, red, green, blue, alpha, for the mipmaps
};

std::vector<CachedTexture> cache;
bool highQualityTextures = false;

// GL_R3_G3_B2 without alpha; GL_RGBA2, which Mesa keeps in 4 bits a channel.
void cutToLowQuality(std::vector<uint8_t>& pixels, bool alpha) {
    const int bits[4] = {alpha ? 4 : 3, alpha ? 4 : 3, alpha ? 4 : 2, 4};
    for (size_t i = 0; i < pixels.size(); i += 4)
        for (int c = 0; c < (alpha ? 4 : 3); ++c) pixels[i + c] = cutTo(pixels[i + c], bits[c]);
}

const CachedTexture* findTexture(uint32_t textureId) {
    for (const CachedTexture& t : cache)
        if (t.textureId == textureId) return &t;
    return nullptr;
}

}  // namespace

uint8_t cutTo(uint8_t value, int bits) {
    const unsigned most = (1u << bits) - 1;
    const unsigned stored = (unsigned(value) * most + 127) / 255;
    return uint8_t((stored * 255 + most / 2) / most);
}

uint32_t loadTexture(const char* fileName, int32_t alphaMode, float alphaValue) {
    for (const CachedTexture& t : cache)
        if (t.name == fileName) return t.textureId;
    if (cache.size() >= kCacheSlots) {
        reportFileError("Unable to load the texture file:", buildMediaPath(fileName),
                        "more textures than the 255 the game holds");
        return 0;
    }
    CachedTexture t;
    t.name = fileName;
    std::vector<uint8_t> pixels;
    if (loadTexturePicture(fileName, pixels, t.width, t.height)) {
        applyAlphaRule(pixels, alphaMode, alphaValue);
        if (!highQualityTextures) cutToLowQuality(pixels, alphaMode != kAlphaNone);
        glGenTextures(1, &t.textureId);
        glBindTexture(GL_TEXTURE_2D, t.textureId);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.width, t.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        if (highQualityTextures) t.pixels = std::move(pixels);
    }
    cache.push_back(std::move(t));
    return cache.back().textureId;
}

bool buildMipmaps(uint32_t textureId) {
    if (textureId == 0 || !highQualityTextures) return false;
    const CachedTexture* t = findTexture(textureId);
    if (!t || t->width + t->height < kLeastMipmapSides) return false;
    glBindTexture(GL_TEXTURE_2D, textureId);
    eachMipmapLevel(t->pixels, t->width, t->height,
                    [](int n, int width, int height, const std::vector<uint8_t>& level) {
                        glTexImage2D(GL_TEXTURE_2D, n, GL_RGBA, width, height, 0, GL_RGBA,
                                     GL_UNSIGNED_BYTE, level.data());
                    });
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    return true;
}

void resetTextureCache(bool highQuality) {
    highQualityTextures = highQuality;
    cache.clear();
}

void releaseTextureCache() {
    for (const CachedTexture& t : cache)
        if (t.textureId != 0) glDeleteTextures(1, &t.textureId);
    cache.clear();
}
