#include "render/gles2/stream_buffers.h"

#include "render/gles2/gl.h"

namespace {

// More than a frame takes: four shots, two passes' particles, a few boxes.
constexpr int kRingSize = 32;

uint32_t ring[kRingSize] = {};
int next = 0;

}  // namespace

uint32_t nextStreamBuffer() {
    if (ring[0] == 0) glGenBuffers(kRingSize, ring);
    const uint32_t buffer = ring[next];
    next = (next + 1) % kRingSize;
    return buffer;
}

void releaseStreamBuffers() {
    if (ring[0] != 0) glDeleteBuffers(kRingSize, ring);
    for (uint32_t& buffer : ring) buffer = 0;
    next = 0;
}
