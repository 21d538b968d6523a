#include "platform/png_file.h"

#include "support/scratch_media.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

namespace {

TEST(PngFile, WritesRgbaTopRowFirstAndReadsBackTheSame) {
    ScratchMedia media;
    const std::vector<uint8_t> pixels = {255, 0, 0, 255,  0, 255, 0, 128,  // top row
                                         0, 0, 255, 0,    9, 8, 7, 6};
    ASSERT_TRUE(writePngFile(media.path("shot.png"), pixels.data(), 2, 2));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, media.path("shot.png").c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> back(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr));
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(back, pixels);
}

TEST(PngFile, AnUnwritablePathIsAFailureAndLeavesNoFile) {
    ScratchMedia media;
    const uint8_t pixel[4] = {1, 2, 3, 4};
    EXPECT_FALSE(writePngFile(media.path("no-such-folder/shot.png"), pixel, 1, 1));
    EXPECT_FALSE(writePngFile(media.path("empty.png"), pixel, 0, 1));
}

}  // namespace
