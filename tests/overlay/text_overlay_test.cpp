// The score box's bitmap: the game's widest texts fit it, text accumulates
// and is cut only by the bitmap's own edges, clear blanks every byte.
#include "overlay/text_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(TextOverlay, ScoreBoxHoldsWhiteOnBlackTextCutOnlyByTheBitmap) {
    TextOverlay box;
    releaseTextOverlay(box);  // never created
    ASSERT_TRUE(createTextOverlay(box, 0, 456, 80, 480, 640, 480, false));
    ASSERT_NE(box.font, nullptr) << "no DejaVu Sans Bold (fonts-dejavu-core)";
    EXPECT_EQ(box.rasterX, -1.0f);
    EXPECT_EQ(box.rasterY, -1.0f);
    // x and y from the box's top-left, read straight from the bottom-up rows.
    auto at = [&box](int x, int y) { return &box.pixels[((23 - y) * 80 + x) * 4]; };
    for (const char* text : {"KILLS: -100", "GAME OVER", "GO VEXAR!"}) {
        clearTextOverlay(box);
        drawText(box, text, {0, 0, 100, 24}, 0);
        EXPECT_EQ(at(79, 0)[3], 0) << text << " reaches the right edge";
    }
    clearTextOverlay(box);
    int lineHeight = drawText(box, "KILLS: 0", {0, 0, 80, 24}, 0);
    ASSERT_LE(lineHeight, 24);
    int white = 0;
    for (size_t i = 0; i < box.pixels.size(); i += 4) {
        EXPECT_TRUE(box.pixels[i] == box.pixels[i + 1] && box.pixels[i] == box.pixels[i + 2]);
        white += box.pixels[i] == 255;
        bool belowTheLine = i < 80 * 4 * size_t(24 - lineHeight);
        EXPECT_FALSE(belowTheLine && box.pixels[i + 3] != 0) << "pixel " << i / 4;
    }
    EXPECT_GT(white, 40);

    auto first = box.pixels;
    drawText(box, "KILLS: -100 KILLS", {40, 0, 140, 24}, 0);
    for (size_t row = 0; row < 24; ++row)
        EXPECT_TRUE(std::equal(&first[row * 320], &first[row * 320 + 160], &box.pixels[row * 320]));
    EXPECT_EQ(at(79, 0)[3], 255) << "the rectangle does not clip, the bitmap does";
    EXPECT_EQ(drawText(box, "A\r\nB\nC\rD", {-30, -5, 0, 0}, 0), 4 * lineHeight);
    drawText(box, "far", {INT32_MIN, INT32_MAX, 0, 0}, 0);
    clearTextOverlay(box);
    EXPECT_EQ(std::count(box.pixels.begin(), box.pixels.end(), 0), 80 * 24 * 4);
    releaseTextOverlay(box);
    releaseTextOverlay(box);
    EXPECT_EQ(drawText(box, "KILLS: 0", {0, 0, 80, 24}, 0), 0);
}
