#pragma once
#include <cstdint>
#include <vector>

// What every renderer does to a texture's pixels before the graphics library
// sees them: the same on the CPU whichever library draws.

// Turns blue-green-red-alpha pixels into red-green-blue-alpha and sets alpha
// by the model's alpha rule (model/model_types.h).
void applyAlphaRule(std::vector<uint8_t>& pixels, int32_t alphaMode, float alphaValue);

// One 2 x 2 box-filtered mipmap level. Where a side is odd or already 1 the
// last row or column stands in for the missing one, so nothing outside the
// level is read.
std::vector<uint8_t> halveLevel(const std::vector<uint8_t>& source, int width, int height,
                                int newWidth, int newHeight);

// Every mipmap level below the base, down to 1 x 1, each handed to `upload`
// with its number and size as it is made (so only one level is held).
template <typename Upload>
void eachMipmapLevel(std::vector<uint8_t> level, int width, int height, Upload upload) {
    for (int n = 1; width + height > 2; ++n) {
        const int newWidth = width > 1 ? width / 2 : 1;
        const int newHeight = height > 1 ? height / 2 : 1;
        level = halveLevel(level, width, height, newWidth, newHeight);
        width = newWidth;
        height = newHeight;
        upload(n, width, height, level);
    }
}
