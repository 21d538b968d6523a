#include "platform/png_file.h"

#include "platform/file_system.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

bool writePngFile(const std::string& path, const uint8_t* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    // The simplified API reports failure by its result instead of jumping
    // out of the caller; a half-written file is removed. The file is the
    // game's own, which opens any UTF-8 path on every system.
    std::FILE* out = openFile(path, "wb");
    if (!out) return false;
    bool ok = png_image_write_to_stdio(&image, out, 0, rgba, 0, nullptr) != 0;
    png_image_free(&image);
    ok = std::fclose(out) == 0 && ok;
    std::error_code error;
    if (!ok) std::filesystem::remove(std::filesystem::u8path(path), error);
    return ok;
}

bool readPngFile(const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height) {
    std::FILE* in = openFile(path, "rb");
    if (!in) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    bool ok = png_image_begin_read_from_stdio(&image, in) != 0;
    constexpr png_uint_32 kMaxSide = 16384;
    ok = ok && image.width > 0 && image.height > 0 && image.width <= kMaxSide &&
         image.height <= kMaxSide;
    std::vector<uint8_t> pixels;
    if (ok) {
        image.format = PNG_FORMAT_RGBA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        ok = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
    }
    png_image_free(&image);
    std::fclose(in);
    if (!ok) return false;
    rgba = std::move(pixels);
    width = int(image.width);
    height = int(image.height);
    return true;
}
