#include "render/renderer.h"

#include "render/gles2/frame_state.h"
#include "render/gles2/gl.h"

#include <cstring>
#include <utility>

namespace {

// A copy of the last frame shown, kept in a texture of its own (after the
// swap no buffer is sure to hold it), read back through a framebuffer of its
// own, since OpenGL ES reads textures no other way.
struct KeptFrame {
    uint32_t texture = 0, framebuffer = 0;  // 0 until the first frame is kept
    int width = 0, height = 0;
};

KeptFrame kept;

std::vector<uint8_t> readPixels(int width, int height) {
    std::vector<uint8_t> pixels(size_t(width) * 4 * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    return pixels;
}

// OpenGL gives the bottom row first; the picture file starts at the top.
std::vector<uint8_t> upright(const std::vector<uint8_t>& pixels, int width, int height) {
    const size_t row = size_t(width) * 4;
    std::vector<uint8_t> turned(pixels.size());
    for (int y = 0; y < height; ++y)
        std::memcpy(&turned[size_t(y) * row], &pixels[size_t(height - 1 - y) * row], row);
    return turned;
}

std::vector<uint8_t> readKeptBottomUp() {
    if (kept.texture == 0) return {};
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    if (kept.framebuffer == 0) glGenFramebuffers(1, &kept.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, kept.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, kept.texture, 0);
    std::vector<uint8_t> pixels;
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
        pixels = readPixels(kept.width, kept.height);
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(bound));
    return pixels;
}

}  // namespace

std::vector<uint8_t> readFrame(int width, int height) {
    return upright(readPixels(width, height), width, height);
}

void keepFrame(int width, int height) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (kept.texture == 0) glGenTextures(1, &kept.texture);
    glBindTexture(GL_TEXTURE_2D, kept.texture);
    if (kept.width == width && kept.height == height) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, width, height, 0);
        kept.width = width;
        kept.height = height;
    }
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
}

std::vector<uint8_t> readKeptFrame() {
    const std::vector<uint8_t> pixels = readKeptBottomUp();
    return pixels.empty() ? pixels : upright(pixels, kept.width, kept.height);
}

std::vector<uint8_t> readKeptFrameBottomUp() {
    std::vector<uint8_t> pixels = readKeptBottomUp();
    for (size_t i = 0; i + 3 < pixels.size(); i += 4) std::swap(pixels[i], pixels[i + 2]);
    return pixels;
}

void releaseKeptFrame() {
    if (kept.texture != 0) glDeleteTextures(1, &kept.texture);
    if (kept.framebuffer != 0) glDeleteFramebuffers(1, &kept.framebuffer);
    kept = KeptFrame{};
}

void finishDrawing() { glFinish(); }
