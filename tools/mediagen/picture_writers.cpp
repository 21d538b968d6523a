#include "picture_writers.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Packets of up to 128 pixels: runs of equal pixels as one repeated value,
// everything else as literal packets.
void appendRunLength(Bytes& out, const Bytes& pixels, size_t pixelSize, size_t count) {
    auto same = [&](size_t a, size_t b) {
        return std::memcmp(&pixels[a * pixelSize], &pixels[b * pixelSize], pixelSize) == 0;
    };
    size_t i = 0;
    while (i < count) {
        size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), &pixels[i * pixelSize], &pixels[i * pixelSize] + pixelSize);
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < count && literal < 128 &&
               !(i + literal + 1 < count && same(i + literal, i + literal + 1)))
            ++literal;
        out.push_back(uint8_t(literal - 1));
        out.insert(out.end(), &pixels[i * pixelSize], &pixels[(i + literal) * pixelSize]);
        i += literal;
    }
}

}  // namespace

Bytes encodeBmp(const Canvas& canvas) {
    Bytes pixels = canvas.bgr(false);
    uint32_t rowSize = (uint32_t(canvas.width) * 3 + 3) & ~3u;
    uint32_t dataSize = rowSize * uint32_t(canvas.height);
    Bytes b = {'B', 'M'};
    putLe32(b, 54 + dataSize);
    putLe32(b, 0);
    putLe32(b, 54);
    putLe32(b, 40);
    putLe32(b, uint32_t(canvas.width));
    putLe32(b, uint32_t(canvas.height));  // positive: bottom row first
    putLe16(b, 1);
    putLe16(b, 24);
    putLe32(b, 0);
    putLe32(b, dataSize);
    putLe32(b, 2835);  // 72 dpi
    putLe32(b, 2835);
    putLe32(b, 0);
    putLe32(b, 0);
    for (int y = canvas.height - 1; y >= 0; --y) {
        const uint8_t* row = &pixels[size_t(y) * size_t(canvas.width) * 3];
        b.insert(b.end(), row, row + canvas.width * 3);
        b.resize(b.size() + (rowSize - uint32_t(canvas.width) * 3), 0);
    }
    return b;
}

Bytes encodeTga(const Canvas& canvas, bool withAlpha, bool runLength) {
    Bytes b(18, 0);
    b[2] = runLength ? 10 : 2;
    b[12] = uint8_t(canvas.width), b[13] = uint8_t(canvas.width >> 8);
    b[14] = uint8_t(canvas.height), b[15] = uint8_t(canvas.height >> 8);
    b[16] = withAlpha ? 32 : 24;
    // Top-left origin (bit 5) and the number of alpha bits.
    b[17] = uint8_t(0x20 | (withAlpha ? 8 : 0));
    Bytes pixels = canvas.bgr(withAlpha);
    size_t count = size_t(canvas.width) * size_t(canvas.height);
    if (runLength)
        appendRunLength(b, pixels, withAlpha ? 4 : 3, count);
    else
        b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bytes encodeJpeg(const Canvas& canvas, int quality) {
    Bytes bgr = canvas.bgr(false);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(canvas.width);
    cinfo.image_height = JDIMENSION(canvas.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(canvas.width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* src = &bgr[size_t(cinfo.next_scanline) * row.size()];
        for (size_t i = 0; i < row.size(); i += 3) {
            row[i] = src[i + 2];
            row[i + 1] = src[i + 1];
            row[i + 2] = src[i];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}
