#include "platform/picture_decoders.h"

#include "platform/byte_cursor.h"

#include <SDL.h>

#include <climits>
#include <csetjmp>
#include <cstring>
#include <new>

#include <jpeglib.h>

#include <string>

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

bool sideAllowed(int64_t side) { return side > 0 && side <= kMaxPictureSide; }

// What a BMP header claims, read before SDL sees the file: SDL makes the
// whole picture before it reads a single row.
struct BmpClaim {
    int64_t width = 0, height = 0;
    unsigned bitsPerPixel = 0, compression = 0;
    size_t dataStart = 0;
};

constexpr size_t kBmpFileHeader = 14;
constexpr size_t kBmpCoreHeader = 12;  // the oldest header, with 16-bit sides
constexpr unsigned kBmpRle8 = 1, kBmpRle4 = 2;

bool readBmpClaim(const uint8_t* data, size_t size, BmpClaim& claim) {
    if (size < kBmpFileHeader + 4 || data[0] != 'B' || data[1] != 'M') return false;
    const uint8_t* info = data + kBmpFileHeader;
    uint32_t infoSize = le32(info);
    if (infoSize < kBmpCoreHeader || size - kBmpFileHeader < infoSize) return false;
    if (infoSize == kBmpCoreHeader) {
        claim.width = le16(info + 4);
        claim.height = le16(info + 6);
        claim.bitsPerPixel = le16(info + 10);
    } else {
        if (infoSize < 16) return false;
        claim.width = int32_t(le32(info + 4));
        claim.height = int32_t(le32(info + 8));
        claim.bitsPerPixel = le16(info + 14);
        claim.compression = infoSize >= 20 ? le32(info + 16) : 0;
    }
    // Without an offset the rows follow the header (and the palette, which is
    // left out here: the bound only has to be no tighter than the truth).
    uint32_t offset = le32(data + 10);
    claim.dataStart = offset != 0 ? offset : kBmpFileHeader + infoSize;
    return true;
}

// A run covers at most 255 pixels with two bytes. Skips and an early end can
// cover more, but no usual writer makes them, and a file of a few bytes must
// not be able to ask for a picture of gigabytes.
constexpr uint64_t kMostRunPixelsPerByte = 128;

// Uncompressed rows are padded to four bytes, the last one perhaps not.
bool bmpClaimBacked(const uint8_t* data, size_t size) {
    BmpClaim claim;
    if (!readBmpClaim(data, size, claim)) return false;
    int64_t rows = claim.height < 0 ? -claim.height : claim.height;
    if (!sideAllowed(claim.width) || !sideAllowed(rows)) return false;
    if (claim.compression == kBmpRle8 || claim.compression == kBmpRle4)
        return uint64_t(claim.width) * uint64_t(rows) <= kMostRunPixelsPerByte * size;
    uint64_t rowBits = uint64_t(claim.width) * claim.bitsPerPixel;
    uint64_t stride = (rowBits + 31) / 32 * 4;
    uint64_t needed = stride * uint64_t(rows - 1) + (rowBits + 7) / 8;
    return claim.dataStart <= size && size - claim.dataStart >= needed;
}

// libjpeg's default error exit ends the process; ours returns to the decoder.
// Its warnings (a file cut short decodes, the rest grey) are kept for the
// caller, who can name the file, instead of going to standard error bare.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    std::string warning;  // the first warning
};

void jpegErrorExit(j_common_ptr info) {
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void jpegEmitMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // trace messages
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    if (errors->base.num_warnings++ > 0) return;
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    errors->warning = text;
}

// Every coded 8 x 8 block of every component costs at least one bit of
// Huffman code (a table's shortest code), in sequential and progressive files
// alike, so a file of N bytes holds at most 8 N blocks.
constexpr uint64_t kMostJpegBlocksPerByte = 8;
// An arithmetic coder spends next to nothing on a run of equal blocks: a
// plain 8192 x 8192 picture takes 125 bytes, so no count of bytes bounds the
// area. Such files are held to a smaller area instead (64 MB of picture).
constexpr uint64_t kMostArithmeticPixels = 4096 * 4096;

bool jpegClaimBacked(const jpeg_decompress_struct& info, size_t size) {
    if (!sideAllowed(info.image_width) || !sideAllowed(info.image_height)) return false;
    if (info.arith_code)
        return uint64_t(info.image_width) * info.image_height <= kMostArithmeticPixels;
    uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks += uint64_t(info.comp_info[c].width_in_blocks) * info.comp_info[c].height_in_blocks;
    return blocks <= kMostJpegBlocksPerByte * size;
}

// Kept apart from decodeJpeg so that no local of the caller lives across
// the setjmp.
bool decodeJpegStream(jpeg_decompress_struct& info, size_t size, std::vector<uint8_t>& pixels,
                      int& width, int& height) {
    jpeg_read_header(&info, TRUE);
    // Checked before the decompressor sets up: a progressive file makes it
    // keep every block of the picture.
    if (!jpegClaimBacked(info, size)) return false;
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

bool decodeBmp(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width,
               int& height) {
    if (size > INT_MAX || !bmpClaimBacked(data, size)) return false;
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(data, int(size)), 1);
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

bool decodeJpeg(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width,
                int& height, std::string* warning) {
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegErrorExit;
    errors.base.emit_message = jpegEmitMessage;
    jpeg_create_decompress(&info);
    volatile bool ok = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        ok = decodeJpegStream(info, size, pixels, width, height);
    }
    jpeg_destroy_decompress(&info);
    if (!ok) pixels.clear();
    if (ok && warning) *warning = errors.warning;
    return ok;
}
