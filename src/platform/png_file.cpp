#include "platform/png_file.h"

#include <png.h>

#include <cstdio>

bool writePngFile(const std::string& path, const uint8_t* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    // The simplified API reports failure by its result instead of jumping
    // out of the caller; a half-written file is removed.
    bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgba, 0, nullptr) != 0;
    png_image_free(&image);
    if (!ok) std::remove(path.c_str());
    return ok;
}
