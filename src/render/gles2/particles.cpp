#include "render/renderer.h"

#include "game/explosion.h"
#include "render/gles2/gl.h"
#include "render/gles2/shading.h"
#include "render/gles2/stream_buffers.h"

#include <cstddef>
#include <vector>

// Points need nothing prepared: each burst's go into a stream buffer.
void prepareParticles() {}

// Round, blended, unlit and over everything, at world positions.
void drawParticles(const ExplosionPass& pass, int32_t pointSize) {
    if (pass.count <= 0) return;
    std::vector<float> data;
    data.reserve(size_t(pass.count) * 7);
    for (int i = 0; i < pass.count; ++i) {
        const Vec3& p = pass.positions[i];
        const float* c = pass.colours[i];
        data.insert(data.end(), {p.x, p.y, p.z, c[0], c[1], c[2], c[3]});
    }
    setLighting(false);
    setTexture(0);
    setIdentityModel();
    setPoints(float(pointSize), true);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBindBuffer(GL_ARRAY_BUFFER, nextStreamBuffer());
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(),
                 GL_STREAM_DRAW);
    const GLsizei stride = 7 * sizeof(float);
    glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(kPositionAttribute);
    glVertexAttribPointer(kColourAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(kColourAttribute);
    applyShading();
    glDrawArrays(GL_POINTS, 0, pass.count);
    glDisableVertexAttribArray(kColourAttribute);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    // The current colour is the last particle's, as glColor leaves it.
    glVertexAttrib4fv(kColourAttribute, pass.colours[pass.count - 1]);
    setPoints(1.0f, false);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    setLighting(true);
}
