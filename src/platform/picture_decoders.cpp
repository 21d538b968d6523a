#include "platform/picture_decoders.h"

#include <SDL.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>

namespace {

void setOpaque(std::vector<uint8_t>& pixels) {
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
}

bool allocatePixels(std::vector<uint8_t>& pixels, size_t width, size_t height) {
    try {
        pixels.assign(width * height * 4, 0);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// libjpeg's default error exit ends the process; ours returns to the decoder.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) {
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// Kept apart from decodeJpegFile so that no local of the caller lives across
// the setjmp.
bool decodeJpegStream(jpeg_decompress_struct& info, std::vector<uint8_t>& pixels, int& width,
                      int& height) {
    jpeg_read_header(&info, TRUE);
    // Grey pictures are expanded to equal blue, green and red by the library,
    // and libjpeg-turbo fills the fourth byte with 255.
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    if (!allocatePixels(pixels, info.output_width, info.output_height)) return false;
    size_t stride = size_t(info.output_width) * 4;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    return true;
}

}  // namespace

bool decodeBmpFile(const char* path, std::vector<uint8_t>& pixels, int& width, int& height) {
    SDL_Surface* loaded = SDL_LoadBMP(path);
    if (!loaded) return false;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_BGRA32, 0);
    SDL_FreeSurface(loaded);
    if (!surface) return false;
    bool ok = allocatePixels(pixels, size_t(surface->w), size_t(surface->h));
    if (ok) {
        size_t stride = size_t(surface->w) * 4;
        SDL_LockSurface(surface);
        for (int row = 0; row < surface->h; ++row)
            std::memcpy(pixels.data() + stride * size_t(row),
                        static_cast<const uint8_t*>(surface->pixels) + size_t(surface->pitch) * size_t(row),
                        stride);
        SDL_UnlockSurface(surface);
        setOpaque(pixels);
        width = surface->w;
        height = surface->h;
    }
    SDL_FreeSurface(surface);
    return ok;
}

bool decodeJpegFile(const char* path, std::vector<uint8_t>& pixels, int& width, int& height) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegErrorExit;
    jpeg_create_decompress(&info);
    volatile bool ok = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_stdio_src(&info, file);
        ok = decodeJpegStream(info, pixels, width, height);
    }
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    if (!ok) pixels.clear();
    return ok;
}
