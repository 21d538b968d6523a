#pragma once
#include <cstdint>
#include <vector>

// The frame just drawn (the back buffer, before it is shown) as opaque red,
// green, blue, alpha pixels, top row first: what screenshots are made of.
std::vector<uint8_t> readFramePicture(int width, int height);

// A copy of the last frame shown, kept in a texture of its own: after the
// swap no buffer is sure to hold it any more (the front buffer may read
// black), and a paused game draws nothing new. The copy stays on the GPU.
struct KeptFrame {
    uint32_t texture = 0;  // 0 until the first frame is kept
    int width = 0, height = 0;
};

// The back buffer copied into the kept frame (before the swap); the bound
// texture stays as it was.
void keepFrame(KeptFrame& kept, int width, int height);
// The kept frame as readFramePicture gives it; empty when none was kept.
std::vector<uint8_t> readKeptFrame(const KeptFrame& kept);
// The kept frame as blue, green, red, alpha pixels, bottom row first (a text
// box's layout, for drawing it back); empty when none was kept.
std::vector<uint8_t> readKeptFrameBottomUp(const KeptFrame& kept);
