// The TGA reader and the picture ending rule, on files built in the test.
#include "model/picture.h"
#include "model/tga_reader.h"
#include "picture_files.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

namespace {

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    std::vector<int> pixel(int i) const {
        return {pixels[size_t(i) * 4], pixels[size_t(i) * 4 + 1], pixels[size_t(i) * 4 + 2],
                pixels[size_t(i) * 4 + 3]};
    }
};

Decoded decode(const std::string& file) {
    Decoded d;
    d.ok = decodeTga(reinterpret_cast<const uint8_t*>(file.data()), file.size(), d.pixels, d.width,
                     d.height);
    return d;
}

using Px = std::vector<int>;

TEST(TgaReader, ZeroDescriptorTurnsThePictureBy180Degrees) {
    std::string pixels = bytes({1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6});
    Decoded upright = decode(tgaHeader(2, 3, 2, 24, 32) + pixels);
    Decoded turned = decode(tgaHeader(2, 3, 2, 24, 0) + pixels);
    ASSERT_TRUE(upright.ok && turned.ok);
    EXPECT_EQ(upright.width, 3);
    EXPECT_EQ(upright.height, 2);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(upright.pixel(i), (Px{i + 1, i + 1, i + 1, 255}));
        EXPECT_EQ(turned.pixel(5 - i), upright.pixel(i));  // a reversal, not a row flip
    }
}

TEST(TgaReader, PixelDepths) {
    Decoded d16 = decode(tgaHeader(2, 3, 1, 16, 32) + bytes({0xFF, 0x7F, 0x1F, 0x00, 0x00, 0xFC}));
    ASSERT_TRUE(d16.ok);
    EXPECT_EQ(d16.pixel(0), (Px{248, 248, 248, 255}));
    EXPECT_EQ(d16.pixel(1), (Px{248, 0, 0, 255}));
    EXPECT_EQ(d16.pixel(2), (Px{0, 0, 248, 255}));  // bit 15 ignored

    Decoded d32 = decode(tgaHeader(2, 1, 1, 32, 32, 0, 2) + "id" + bytes({10, 20, 30, 40}));
    ASSERT_TRUE(d32.ok);
    EXPECT_EQ(d32.pixel(0), (Px{10, 20, 30, 40}));

    std::string map = bytes({1, 2, 3, 4, 5, 6, 7, 8, 9});
    Decoded mapped = decode(tgaHeader(1, 2, 1, 8, 32, 3) + map + bytes({2, 0}));
    ASSERT_TRUE(mapped.ok);
    EXPECT_EQ(mapped.pixel(0), (Px{7, 8, 9, 255}));
    EXPECT_EQ(mapped.pixel(1), (Px{1, 2, 3, 255}));
}

TEST(TgaReader, RunLengthPackets) {
    // 0x85 repeats one pixel 6 times; 0x05 is followed by 6 literal pixels.
    std::string data = bytes({0x85, 9, 8, 7, 0x05});
    for (int i = 0; i < 6; ++i) data += bytes({i, i, i});
    Decoded d = decode(tgaHeader(10, 12, 1, 24, 32) + data);
    ASSERT_TRUE(d.ok);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d.pixel(i), (Px{9, 8, 7, 255}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d.pixel(6 + i), (Px{i, i, i, 255}));

    Decoded mapped = decode(tgaHeader(9, 3, 1, 8, 0, 2) + bytes({1, 1, 1, 2, 2, 2}) +
                            bytes({0x81, 1, 0x00, 0}));
    ASSERT_TRUE(mapped.ok);
    EXPECT_EQ(mapped.pixel(2), (Px{2, 2, 2, 255}));  // turned: the first run lands at the end
    EXPECT_EQ(mapped.pixel(0), (Px{1, 1, 1, 255}));
}

TEST(TgaReader, RefusesWhatItCannotDecodeInFull) {
    // Each of these would read or write outside an array, or is no supported layout.
    EXPECT_FALSE(decode(tgaHeader(10, 4, 1, 24, 32) + bytes({0x84, 1, 2, 3})).ok);  // run past the end
    EXPECT_FALSE(decode(tgaHeader(10, 4, 1, 24, 32) + bytes({0x04}) + std::string(15, 'x')).ok);
    EXPECT_FALSE(decode(tgaHeader(1, 1, 1, 8, 32, 2) + bytes({1, 1, 1, 2, 2, 2, 2})).ok);  // index 2 of 2
    EXPECT_FALSE(decode(tgaHeader(2, 2, 2, 24, 32) + std::string(11, 'x')).ok);  // truncated
    EXPECT_FALSE(decode(tgaHeader(2, 2, 2, 24, 32).substr(0, 17)).ok);
    EXPECT_FALSE(decode(tgaHeader(3, 1, 1, 8, 32) + "x").ok);                       // grey type
    EXPECT_FALSE(decode(tgaHeader(2, 1, 1, 8, 32) + "x").ok);                       // depth 8 true colour
    EXPECT_FALSE(decode(tgaHeader(1, 1, 1, 16, 32, 1) + std::string(5, 'x')).ok);    // 16-bit indices
    EXPECT_FALSE(decode(tgaHeader(1, 1, 1, 8, 32, 0) + "x").ok);                     // no map
    // A colour map of length 1 and one index, spoiled one header byte at a time.
    std::string mapped = tgaHeader(1, 1, 1, 8, 32, 1) + bytes({1, 2, 3, 0});
    ASSERT_TRUE(decode(mapped).ok);
    for (auto [offset, value] : {std::pair{1, 0}, std::pair{7, 16}, std::pair{7, 32}}) {
        std::string spoiled = mapped;
        spoiled[size_t(offset)] = char(value);
        EXPECT_FALSE(decode(spoiled).ok) << offset << " " << value;  // map type, entry size
    }
    // A tiny file claiming the largest picture is refused before any buffer is made.
    EXPECT_FALSE(decode(tgaHeader(10, 65535, 65535, 32, 32) + bytes({0xFF, 1, 2, 3, 4})).ok);
}

TEST(PictureEnding, LastThreeCharactersIgnoringCase) {
    ScratchMedia media;
    std::string file = solidTga(2, 1, 1, 2, 3);
    for (const char* name : {"a.tga", "B.TGA", "c.Tga", "d.jpeg", "e", "ftga", "g.tga.bak"})
        media.write(name, file);
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    EXPECT_TRUE(loadPicture("a.tga", pixels, w, h));
    EXPECT_TRUE(loadPicture("B.TGA", pixels, w, h));
    EXPECT_TRUE(loadPicture("c.Tga", pixels, w, h));
    EXPECT_TRUE(loadPicture("ftga", pixels, w, h));  // only the last three characters count
    EXPECT_FALSE(loadPicture("d.jpeg", pixels, w, h));
    EXPECT_FALSE(loadPicture("e", pixels, w, h));
    EXPECT_FALSE(loadPicture("g.tga.bak", pixels, w, h));
    EXPECT_FALSE(loadPicture("missing.tga", pixels, w, h));
}

}  // namespace
