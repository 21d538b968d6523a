#pragma once
#include <cstdint>
#include <vector>

// The frame just drawn (the back buffer, before it is shown), or with `shown`
// the one on the screen, as opaque red, green, blue, alpha pixels, top row
// first: what screenshots are made of.
std::vector<uint8_t> readFramePicture(int width, int height, bool shown = false);
