#include "render/renderer.h"

#include "render/gl1/gl.h"

#include <cstring>

std::vector<uint8_t> readFrame(int width, int height, bool shown) {
    const size_t row = size_t(width) * 4;
    std::vector<uint8_t> pixels(row * size_t(height)), upright(pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(shown ? GL_FRONT : GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL reads the bottom row first; the picture file starts at the top.
    for (int y = 0; y < height; ++y)
        std::memcpy(&upright[size_t(y) * row], &pixels[size_t(height - 1 - y) * row], row);
    // The frame's own alpha is never seen on screen; the picture is opaque.
    for (size_t i = 3; i < upright.size(); i += 4) upright[i] = 255;
    return upright;
}

void finishDrawing() { glFinish(); }
