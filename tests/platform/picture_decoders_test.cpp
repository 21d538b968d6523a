// BMP through SDL and JPEG through libjpeg-turbo, on files made in the test:
// the buffer layout, both BMP row orders, grey and progressive JPEGs, a JPEG
// the library cannot decode coming back as no picture instead of ending the
// run, and headers claiming pictures the file cannot hold refused before the
// picture's buffer is made.
#include "platform/picture_decoders.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <jpeglib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes& s, unsigned v) {
    s.push_back(uint8_t(v & 0xFF));
    s.push_back(uint8_t((v >> 8) & 0xFF));
}
void put32(Bytes& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// The 54-byte header of a BMP with a 40-byte info header and no palette.
Bytes bmpHeader(int32_t width, int32_t height, unsigned bits, uint32_t compression = 0) {
    Bytes s = {'B', 'M'};
    put32(s, 0);  // file size: not relied upon
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, uint32_t(width));
    put32(s, uint32_t(height));
    put16(s, 1);
    put16(s, bits);
    put32(s, compression);
    for (int i = 0; i < 5; ++i) put32(s, 0);
    return s;
}

// A 24-bit BMP of 3 x 2 pixels; rows are stored bottom-up unless topDown.
Bytes bmp(bool topDown) {
    const uint8_t rows[2][3][3] = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},           // top row, b g r
                                   {{10, 11, 12}, {13, 14, 15}, {16, 17, 18}}};  // bottom row
    Bytes s = bmpHeader(3, topDown ? -2 : 2, 24);
    for (int r = 0; r < 2; ++r) {
        const auto& row = rows[topDown ? r : 1 - r];
        for (const auto& px : row) s.insert(s.end(), px, px + 3);
        s.insert(s.end(), 3, 0);  // rows padded to four bytes
    }
    return s;
}

// A JPEG of solid colour (red 200, green 100, blue 50), or grey 120, or with
// every pixel different when noisy.
Bytes jpeg(int width, int height, int components, bool progressive = false, bool noisy = false,
           bool arithmetic = false) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    info.arith_code = arithmetic;
    jpeg_start_compress(&info, TRUE);
    Bytes row(size_t(width) * size_t(components));
    for (int y = 0; y < height; ++y) {
        for (size_t i = 0; i < row.size(); i += size_t(components)) {
            if (noisy) {
                for (int c = 0; c < components; ++c) row[i + size_t(c)] = uint8_t(std::rand());
            } else if (components == 1) {
                row[i] = 120;
            } else {
                row[i] = 200, row[i + 1] = 100, row[i + 2] = 50;
            }
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// The same file with its frame header claiming another size.
Bytes claimSize(Bytes file, unsigned width, unsigned height) {
    for (size_t i = 0; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2 || file[i + 1] == 0xCA)) {
            file[i + 5] = uint8_t(height >> 8), file[i + 6] = uint8_t(height);
            file[i + 7] = uint8_t(width >> 8), file[i + 8] = uint8_t(width);
            return file;
        }
    ADD_FAILURE() << "no frame header";
    return file;
}

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The largest block SDL is asked for while it lives.
struct SdlAllocationWatch {
    SDL_malloc_func realMalloc;
    SDL_calloc_func realCalloc;
    SDL_realloc_func realRealloc;
    SDL_free_func realFree;
    static inline size_t largest = 0;
    static inline SdlAllocationWatch* current = nullptr;

    SdlAllocationWatch() {
        SDL_GetMemoryFunctions(&realMalloc, &realCalloc, &realRealloc, &realFree);
        current = this;
        largest = 0;
        SDL_SetMemoryFunctions(
            [](size_t n) { return current->realMalloc(note(n)); },
            [](size_t n, size_t size) { return current->realCalloc(n, note(n * size)); },
            [](void* p, size_t n) { return current->realRealloc(p, note(n)); },
            [](void* p) { current->realFree(p); });
    }
    ~SdlAllocationWatch() { SDL_SetMemoryFunctions(realMalloc, realCalloc, realRealloc, realFree); }
    static size_t note(size_t n) {
        largest = std::max(largest, n);
        return n;
    }
};

TEST(PictureDecoders, BmpRowOrdersGiveTheSameTopDownBuffer) {
    Bytes up = bmp(false), down = bmp(true);
    std::vector<uint8_t> bottomUp, topDown;
    int w = 0, h = 0;
    ASSERT_TRUE(decodeBmp(up.data(), up.size(), bottomUp, w, h));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    ASSERT_TRUE(decodeBmp(down.data(), down.size(), topDown, w, h));
    EXPECT_EQ(bottomUp, topDown);
    ASSERT_EQ(topDown.size(), 24u);
    EXPECT_EQ(std::vector<int>(topDown.begin(), topDown.begin() + 8),
              (std::vector<int>{1, 2, 3, 255, 4, 5, 6, 255}));
    EXPECT_EQ(topDown[12], 10);

    Bytes bad = {'B', 'M', 'n', 'o', 't', ' ', 'a', ' ', 'b', 'i', 't', 'm', 'a', 'p'};
    EXPECT_FALSE(decodeBmp(bad.data(), bad.size(), topDown, w, h));
    EXPECT_FALSE(decodeBmp(nullptr, 0, topDown, w, h));
}

TEST(PictureDecoders, BmpClaimingMoreThanItsBytesIsRefusedBeforeSdlMakesIt) {
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    {
        SdlAllocationWatch watch;
        // A 70-byte file whose header claims 30000 x 30000 pixels of 24 bits.
        Bytes huge = bmpHeader(30000, 30000, 24);
        huge.resize(70, 0x55);
        EXPECT_FALSE(decodeBmp(huge.data(), huge.size(), pixels, w, h));
        // Within the side limit, but still far more than 16 bytes of rows hold.
        Bytes large = bmpHeader(4000, -4000, 32);
        large.resize(70, 0x55);
        EXPECT_FALSE(decodeBmp(large.data(), large.size(), pixels, w, h));
        // Run-length data: a run covers at most 255 pixels with two bytes.
        for (uint32_t rle : {1, 2}) {
            Bytes runs = bmpHeader(200, 200, rle == 1 ? 8 : 4, rle);
            runs.resize(70, 0);
            EXPECT_FALSE(decodeBmp(runs.data(), runs.size(), pixels, w, h));
        }
        EXPECT_LT(watch.largest, size_t(1) << 20);
    }
    EXPECT_TRUE(pixels.empty());

    // A row short.
    Bytes full = bmp(false);
    Bytes cut(full.begin(), full.end() - 12);
    EXPECT_FALSE(decodeBmp(cut.data(), cut.size(), pixels, w, h));
    Bytes wide = bmpHeader(kMaxPictureSide + 1, 1, 1);
    wide.resize(wide.size() + kMaxPictureSide / 8 + 4, 0);
    EXPECT_FALSE(decodeBmp(wide.data(), wide.size(), pixels, w, h));
}

TEST(PictureDecoders, JpegColourAndGrey) {
    Bytes colour = jpeg(16, 8, 3), grey = jpeg(5, 3, 1);
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    ASSERT_TRUE(decodeJpeg(colour.data(), colour.size(), pixels, w, h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    ASSERT_EQ(pixels.size(), 16u * 8u * 4u);
    EXPECT_NEAR(pixels[0], 50, 2);  // blue first
    EXPECT_NEAR(pixels[1], 100, 2);
    EXPECT_NEAR(pixels[2], 200, 2);
    EXPECT_EQ(pixels[3], 255);

    ASSERT_TRUE(decodeJpeg(grey.data(), grey.size(), pixels, w, h));
    ASSERT_EQ(pixels.size(), 5u * 3u * 4u);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        EXPECT_NEAR(pixels[i], 120, 1);
        EXPECT_EQ(pixels[i + 1], pixels[i]);
        EXPECT_EQ(pixels[i + 2], pixels[i]);
        EXPECT_EQ(pixels[i + 3], 255);
    }
}

TEST(PictureDecoders, UndecodableJpegIsNoPicture) {
    std::string junk("\xFF\xD8\xFF\xE0 this is not a JPEG stream", 30);
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    EXPECT_FALSE(decodeJpeg(reinterpret_cast<const uint8_t*>(junk.data()), junk.size(), pixels, w, h));
    EXPECT_TRUE(pixels.empty());
    EXPECT_FALSE(decodeJpeg(nullptr, 0, pixels, w, h));
    // The decoder is usable again afterwards.
    Bytes ok = jpeg(2, 2, 3);
    EXPECT_TRUE(decodeJpeg(ok.data(), ok.size(), pixels, w, h));
}

// A file cut short still decodes (the rest grey); libjpeg's warning comes
// back to the caller, who can name the file, instead of going to stderr.
TEST(PictureDecoders, JpegCutShortDecodesWithItsWarning) {
    Bytes whole = jpeg(64, 64, 3, false, true);
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    std::string warning = "none yet";
    ASSERT_TRUE(decodeJpeg(whole.data(), whole.size(), pixels, w, h, &warning));
    EXPECT_EQ(warning, "");
    ASSERT_TRUE(decodeJpeg(whole.data(), whole.size() / 2, pixels, w, h, &warning));
    EXPECT_EQ(w, 64);
    EXPECT_EQ(warning, "Premature end of JPEG file");
}

TEST(PictureDecoders, JpegClaimingMoreThanItsBytesIsRefusedBeforeTheBufferIsMade) {
    long before = peakResidentKb();
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    for (bool progressive : {false, true}) {
        Bytes small = jpeg(24, 24, 3, progressive, true);
        ASSERT_LT(small.size(), 4000u);
        // 30000 x 30000 is past the side limit; 12000 x 12000 is within it,
        // but each of its 6.75 million blocks would need a bit of the file.
        Bytes huge = claimSize(small, 30000, 30000), large = claimSize(small, 12000, 12000);
        EXPECT_FALSE(decodeJpeg(huge.data(), huge.size(), pixels, w, h));
        EXPECT_FALSE(decodeJpeg(large.data(), large.size(), pixels, w, h));
    }
    // An arithmetic-coded file can hold a plain picture of any size in a few
    // bytes; its area is held to 4096 x 4096.
    Bytes wide = claimSize(jpeg(16, 16, 3, true, true, true), 8000, 8000);
    EXPECT_FALSE(decodeJpeg(wide.data(), wide.size(), pixels, w, h));
    EXPECT_TRUE(pixels.empty());
    // The 3.5 GB picture would have been written through; nothing near it was.
    EXPECT_LT(peakResidentKb() - before, 64 * 1024);
}

TEST(PictureDecoders, JpegsThatCanHoldTheirSizeStillDecode) {
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    // A solid progressive picture spends about two bits on a block: the most
    // compact a real file gets.
    Bytes solid = jpeg(1024, 1024, 3, true);
    ASSERT_TRUE(decodeJpeg(solid.data(), solid.size(), pixels, w, h));
    EXPECT_EQ(w, 1024);
    Bytes arithmetic = claimSize(jpeg(16, 16, 3, true, true, true), 4096, 4096);
    EXPECT_TRUE(decodeJpeg(arithmetic.data(), arithmetic.size(), pixels, w, h));
    // A file cut short still decodes, the missing part filled in by the library.
    Bytes cut = jpeg(64, 64, 3, false, true);
    cut.resize(cut.size() * 3 / 4);
    ASSERT_TRUE(decodeJpeg(cut.data(), cut.size(), pixels, w, h));
    EXPECT_EQ(pixels.size(), 64u * 64u * 4u);
}

}  // namespace
