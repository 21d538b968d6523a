#pragma once
// One reader of the picture loader on arbitrary bytes: a picture it accepts is
// complete and within the side limit; nothing is read or written outside the
// file or the picture.
#include "model/picture.h"
#include "platform/picture_decoders.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

inline int fuzzPicture(PictureKind kind, const uint8_t* data, size_t size) {
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    if (!decodePicture(kind, data, size, pixels, width, height)) return 0;
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        pixels.size() != size_t(width) * size_t(height) * 4)
        std::abort();
    return 0;
}
