#include "render/renderer.h"

#include "render/gles2/gl.h"

#include <cstring>

// OpenGL gives the bottom row first; the picture file starts at the top. The
// frame's own alpha is never seen on screen, so the picture is opaque.
std::vector<uint8_t> readFrame(int width, int height) {
    const size_t row = size_t(width) * 4;
    std::vector<uint8_t> pixels(row * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<uint8_t> upright(pixels.size());
    for (int y = 0; y < height; ++y)
        std::memcpy(&upright[size_t(y) * row], &pixels[size_t(height - 1 - y) * row], row);
    for (size_t i = 3; i < upright.size(); i += 4) upright[i] = 255;
    return upright;
}

void finishDrawing() { glFinish(); }
