#include "render/renderer.h"

#include "overlay/text_overlay.h"
#include "render/gles2/frame_state.h"
#include "render/gles2/gl.h"
#include "render/gles2/shading.h"
#include "render/gles2/stream_buffers.h"

#include <cstring>
#include <utility>
#include <cstddef>
#include <vector>

namespace {

uint32_t boxTexture = 0;

}  // namespace

// The bitmap as a texture on a rectangle of its own size in pixels, its
// lower-left corner at the box's position, over everything (no depth test,
// no lighting); the scene's blend function when the box blends.
void drawTextBox(const TextOverlay& overlay) {
    if (overlay.pixels.empty()) return;
    std::vector<uint8_t> rgba(overlay.pixels);
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    if (boxTexture == 0) glGenTextures(1, &boxTexture);
    glBindTexture(GL_TEXTURE_2D, boxTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, overlay.width, overlay.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    const FrameState& f = frameState();
    const float x0 = overlay.rasterX, y0 = overlay.rasterY;
    const float x1 = x0 + 2.0f * float(overlay.width) / float(f.width);
    const float y1 = y0 + 2.0f * float(overlay.height) / float(f.height);
    const float corners[] = {x0, y0, 0, 0, 0, x1, y0, 0, 1, 0, x0, y1, 0, 0, 1, x1, y1, 0, 1, 1};
    float found[16];
    std::memcpy(found, projectionInUse(), sizeof found);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    setProjection(identity);
    setIdentityModel();
    setLighting(false);
    setTexture(boxTexture);
    glVertexAttrib4f(kColourAttribute, 1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_DEPTH_TEST);
    if (overlay.blend) glEnable(GL_BLEND);
    glBindBuffer(GL_ARRAY_BUFFER, nextStreamBuffer());
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STREAM_DRAW);
    glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
    glEnableVertexAttribArray(kPositionAttribute);
    glVertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(kTexCoordAttribute);
    applyShading();
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableVertexAttribArray(kTexCoordAttribute);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (overlay.blend) glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    setLighting(true);
    setProjection(found);
}

void releaseTextBox() {
    if (boxTexture != 0) glDeleteTextures(1, &boxTexture);
    boxTexture = 0;
}
