#include "game/frame_picture.h"

#include "platform/gl.h"

#include <cstring>

namespace {

// OpenGL gives the bottom row first; the picture file starts at the top. The
// frame's own alpha is never seen on screen, so the picture is opaque.
std::vector<uint8_t> uprightOpaque(const std::vector<uint8_t>& pixels, int width, int height) {
    const size_t row = size_t(width) * 4;
    std::vector<uint8_t> upright(pixels.size());
    for (int y = 0; y < height; ++y)
        std::memcpy(&upright[size_t(y) * row], &pixels[size_t(height - 1 - y) * row], row);
    for (size_t i = 3; i < upright.size(); i += 4) upright[i] = 255;
    return upright;
}

std::vector<uint8_t> readKeptTexture(const KeptFrame& kept, GLenum format) {
    if (kept.texture == 0) return {};
    std::vector<uint8_t> pixels(size_t(kept.width) * 4 * size_t(kept.height));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, kept.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
    return pixels;
}

}  // namespace

std::vector<uint8_t> readFramePicture(int width, int height) {
    std::vector<uint8_t> pixels(size_t(width) * 4 * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return uprightOpaque(pixels, width, height);
}

void keepFrame(KeptFrame& kept, int width, int height) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (kept.texture == 0) glGenTextures(1, &kept.texture);
    glBindTexture(GL_TEXTURE_2D, kept.texture);
    glReadBuffer(GL_BACK);
    // Storage is made once per size; later frames copy into it.
    if (kept.width == width && kept.height == height) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
    } else {
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 0, 0, width, height, 0);
        kept.width = width;
        kept.height = height;
    }
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
}

std::vector<uint8_t> readKeptFrame(const KeptFrame& kept) {
    const std::vector<uint8_t> pixels = readKeptTexture(kept, GL_RGBA);
    return pixels.empty() ? pixels : uprightOpaque(pixels, kept.width, kept.height);
}

std::vector<uint8_t> readKeptFrameBottomUp(const KeptFrame& kept) {
    std::vector<uint8_t> pixels = readKeptTexture(kept, GL_BGRA_EXT);
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    return pixels;
}
