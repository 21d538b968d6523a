// BMP through SDL and JPEG through libjpeg-turbo, on files written in the
// test: the buffer layout, both BMP row orders, grey JPEGs, and a JPEG the
// library cannot decode coming back as no picture instead of ending the run.
#include "platform/picture_decoders.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

namespace {

void put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}

// A 24-bit BMP of 3 x 2 pixels; rows are stored bottom-up unless topDown.
std::string bmp(bool topDown) {
    const uint8_t rows[2][3][3] = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},           // top row, b g r
                                   {{10, 11, 12}, {13, 14, 15}, {16, 17, 18}}};  // bottom row
    std::string s = "BM";
    put32(s, 54 + 2 * 12);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, 3);
    put32(s, topDown ? uint32_t(-2) : 2u);
    s += std::string("\x01\x00\x18\x00", 4);
    for (int i = 0; i < 6; ++i) put32(s, 0);
    for (int r = 0; r < 2; ++r) {
        const auto& row = rows[topDown ? r : 1 - r];
        for (const auto& px : row) s.append(reinterpret_cast<const char*>(px), 3);
        s.append(3, '\0');  // rows padded to four bytes
    }
    return s;
}

void writeJpeg(const std::string& path, int width, int height, int components) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    // Solid colour (red 200, green 100, blue 50), or grey 120.
    std::vector<uint8_t> row(size_t(width) * size_t(components));
    for (size_t i = 0; i < row.size(); i += size_t(components)) {
        if (components == 1) row[i] = 120;
        else row[i] = 200, row[i + 1] = 100, row[i + 2] = 50;
    }
    for (int y = 0; y < height; ++y) {
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

TEST(PictureDecoders, BmpRowOrdersGiveTheSameTopDownBuffer) {
    ScratchMedia media;
    media.write("up.bmp", bmp(false));
    media.write("down.bmp", bmp(true));
    std::vector<uint8_t> bottomUp, topDown;
    int w = 0, h = 0;
    ASSERT_TRUE(decodeBmpFile(media.path("up.bmp").c_str(), bottomUp, w, h));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    ASSERT_TRUE(decodeBmpFile(media.path("down.bmp").c_str(), topDown, w, h));
    EXPECT_EQ(bottomUp, topDown);
    ASSERT_EQ(topDown.size(), 24u);
    EXPECT_EQ(std::vector<int>(topDown.begin(), topDown.begin() + 8),
              (std::vector<int>{1, 2, 3, 255, 4, 5, 6, 255}));
    EXPECT_EQ(topDown[12], 10);

    media.write("bad.bmp", "BM not a bitmap");
    EXPECT_FALSE(decodeBmpFile(media.path("bad.bmp").c_str(), topDown, w, h));
    EXPECT_FALSE(decodeBmpFile(media.path("none.bmp").c_str(), topDown, w, h));
}

TEST(PictureDecoders, JpegColourAndGrey) {
    ScratchMedia media;
    writeJpeg(media.path("c.jpg"), 16, 8, 3);
    writeJpeg(media.path("g.jpg"), 5, 3, 1);
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    ASSERT_TRUE(decodeJpegFile(media.path("c.jpg").c_str(), pixels, w, h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    ASSERT_EQ(pixels.size(), 16u * 8u * 4u);
    EXPECT_NEAR(pixels[0], 50, 2);  // blue first
    EXPECT_NEAR(pixels[1], 100, 2);
    EXPECT_NEAR(pixels[2], 200, 2);
    EXPECT_EQ(pixels[3], 255);

    ASSERT_TRUE(decodeJpegFile(media.path("g.jpg").c_str(), pixels, w, h));
    ASSERT_EQ(pixels.size(), 5u * 3u * 4u);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        EXPECT_NEAR(pixels[i], 120, 1);
        EXPECT_EQ(pixels[i + 1], pixels[i]);
        EXPECT_EQ(pixels[i + 2], pixels[i]);
        EXPECT_EQ(pixels[i + 3], 255);
    }
}

TEST(PictureDecoders, UndecodableJpegIsNoPicture) {
    ScratchMedia media;
    media.write("junk.jpg", std::string("\xFF\xD8\xFF\xE0 this is not a JPEG stream", 30));
    media.write("empty.jpg", "");
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    EXPECT_FALSE(decodeJpegFile(media.path("junk.jpg").c_str(), pixels, w, h));
    EXPECT_TRUE(pixels.empty());
    EXPECT_FALSE(decodeJpegFile(media.path("empty.jpg").c_str(), pixels, w, h));
    EXPECT_FALSE(decodeJpegFile(media.path("absent.jpg").c_str(), pixels, w, h));
    // The decoder is usable again afterwards.
    writeJpeg(media.path("ok.jpg"), 2, 2, 3);
    EXPECT_TRUE(decodeJpegFile(media.path("ok.jpg").c_str(), pixels, w, h));
}

}  // namespace
