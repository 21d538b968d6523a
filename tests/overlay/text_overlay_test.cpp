// The score box's bitmap: where it lands, how text accumulates and is cut at
// the bitmap's edges, and that the widest texts of the game fit the box.
#include "overlay/text_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class ScoreBox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(createTextOverlay(box, 0, 456, 80, 480, 640, 480, false));
        ASSERT_NE(box.font, nullptr) << "no DejaVu Sans Bold (fonts-dejavu-core)";
    }
    void TearDown() override { releaseTextOverlay(box); }

    // Pixel bytes at x and y counted from the box's top, read straight from
    // the bottom-up storage.
    const uint8_t* at(int x, int y) const { return &box.pixels[((23 - y) * 80 + x) * 4]; }
    int inkInColumns(int from, int to) const {
        int ink = 0;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < 24; ++y) ink += at(x, y)[0];
        return ink;
    }
    bool allZero() const {
        return std::all_of(box.pixels.begin(), box.pixels.end(), [](uint8_t b) { return b == 0; });
    }

    TextOverlay box;
};

}  // namespace

TEST(TextOverlay, BoxIsPlacedFromTheReferenceScreenAndReleasesSafely) {
    TextOverlay overlay;
    releaseTextOverlay(overlay);  // never created
    ASSERT_TRUE(createTextOverlay(overlay, 0, 456, 80, 480, 640, 480, true));
    EXPECT_EQ(overlay.rasterX, -1.0f);
    EXPECT_EQ(overlay.rasterY, -1.0f);
    EXPECT_EQ(overlay.width, 80);
    EXPECT_EQ(overlay.height, 24);
    EXPECT_TRUE(overlay.blend);
    EXPECT_EQ(overlay.pixels.size(), 7680u);
    // Another box: x from the left edge, y flipped from the top-down reference.
    ASSERT_TRUE(createTextOverlay(overlay, 160, 0, 200, 120, 640, 480, false));
    EXPECT_FLOAT_EQ(overlay.rasterX, -0.5f);
    EXPECT_FLOAT_EQ(overlay.rasterY, 0.5f);
    releaseTextOverlay(overlay);
    releaseTextOverlay(overlay);
    EXPECT_TRUE(overlay.pixels.empty());
    EXPECT_EQ(overlay.font, nullptr);
    EXPECT_EQ(drawText(overlay, "KILLS: 0", {0, 0, 80, 24}, 0), 0);
    EXPECT_FALSE(createTextOverlay(overlay, 80, 0, 80, 24, 640, 480, false));
}

TEST_F(ScoreBox, ScoreIsWhiteOnABlackCellInTheTopRows) {
    int lineHeight = drawText(box, "KILLS: 0", {0, 0, 80, 24}, 0);
    ASSERT_GT(lineHeight, 10);
    ASSERT_LE(lineHeight, 24);
    int white = 0, cellWidth = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const uint8_t* p = at(x, y);
            if (p[3] == 0) {
                EXPECT_EQ(p[0] + p[1] + p[2], 0) << x << "," << y;
                continue;
            }
            EXPECT_LT(y, lineHeight) << "a cell only as high as the line";
            EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]) << "grey levels only at " << x << "," << y;
            white += p[0] == 255;
            cellWidth = std::max(cellWidth, x + 1);
        }
    EXPECT_GT(white, 40);
    EXPECT_GT(cellWidth, 40);
    EXPECT_LT(cellWidth, 80) << "the cell ends with the text";
}

TEST_F(ScoreBox, TextAccumulatesUntilClearAndBreaksAtLineBreaks) {
    int lineHeight = drawText(box, "GO", {0, 0, 80, 24}, 0);
    auto first = box.pixels;
    drawText(box, "!", {60, 0, 160, 24}, 0);
    EXPECT_GT(inkInColumns(60, 70), 0);
    for (size_t row = 0; row < 24; ++row)
        EXPECT_TRUE(std::equal(&first[row * 320], &first[row * 320 + 240], &box.pixels[row * 320]))
            << "the first text stays left of the second, row " << row;
    EXPECT_GT(inkInColumns(0, 10), 0);
    clearTextOverlay(box);
    EXPECT_TRUE(allZero());
    // Carriage return, line feed and the pair each end one line; the second
    // line begins one line height down and is cut by the bitmap's bottom.
    EXPECT_EQ(drawText(box, "A\r\nB\nC\rD", {0, 0, 80, 24}, 0), 4 * lineHeight);
    EXPECT_EQ(at(2, 23)[3], 255);
    EXPECT_EQ(inkInColumns(20, 80), 0) << "no line runs on after a break";
}

TEST_F(ScoreBox, TextIsCutAtTheBitmapsEdgesOnly) {
    drawText(box, "KILLS: -100 KILLS: -100", {0, 0, 100, 24}, 0);
    EXPECT_EQ(at(79, 0)[3], 255) << "the rectangle does not clip, the bitmap does";
    clearTextOverlay(box);
    drawText(box, "KILLS: -100", {-30, -5, 50, 19}, 0);
    EXPECT_GT(inkInColumns(0, 2), 0);
    drawText(box, "far away", {INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX}, 0);
    drawText(box, "far away", {INT32_MIN, INT32_MIN, 0, 0}, 0);
}

TEST_F(ScoreBox, TheGamesWidestTextsFitTheBox) {
    for (const char* text : {"KILLS: -100", "GAME OVER", "GO VEXAR!"}) {
        clearTextOverlay(box);
        drawText(box, text, {0, 0, 100, 24}, 0);
        EXPECT_EQ(at(79, 0)[3], 0) << text << " reaches the right edge";
    }
}
