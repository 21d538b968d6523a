#pragma once
#include <cstdint>

// Buffers for what changes every frame (the shots, the particles, the text
// box's rectangle), taken in turn from a ring. Writing a buffer the frame
// still draws from makes a software driver finish everything queued before
// it; with a ring each is written again only frames later.
uint32_t nextStreamBuffer();
void releaseStreamBuffers();
