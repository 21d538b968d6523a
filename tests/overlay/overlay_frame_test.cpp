// The score box copied onto a real OpenGL frame: the bitmap's pixels in the
// lower-left corner on top of the scene, and the GL state it leaves behind.
#include "overlay/text_overlay.h"
#include "platform/gl.h"
#include "platform/offscreen_gl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class OverlayFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gl = createOffscreenGl(160, 120); }
    static void TearDownTestSuite() { destroyOffscreenGl(gl); }
    void SetUp() override {
        if (!gl) GTEST_FAIL() << "no OpenGL context (is there an X display?)";
        createTextOverlay(box, 0, 456, 80, 480, 640, 480, false);
        drawText(box, "KILLS: 0", {0, 0, 80, 24}, 0);
    }
    void TearDown() override { releaseTextOverlay(box); }

    // A scene the box must cover: green at the nearest depth the box could
    // have, then lighting, texturing (a red texture bound), depth test and
    // blending on, and matrices that are not the identity.
    static void drawScene(int width, int height) {
        static const GLenum switches[] = {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND};
        for (GLenum cap : switches) glDisable(cap);
        glViewport(0, 0, width, height);
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glColor3f(0, 1, 0);
        glRectf(-1, -1, 1, 1);  // at z 0, the depth of the box's raster position
        static const uint8_t red[4] = {255, 0, 0, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, red);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        for (GLenum cap : switches) glEnable(cap);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTranslatef(1, 2, 3);
        glMatrixMode(GL_PROJECTION);
        glOrtho(-2, 2, -2, 2, -1, 1);
    }
    // Blue, green and red of the frame's lower-left 80 x 24 pixels, as stored.
    static std::vector<uint8_t> corner() {
        std::vector<uint8_t> pixels(80 * 24 * 4);
        glFinish();
        glReadPixels(0, 0, 80, 24, GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    static bool sameColours(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        for (size_t i = 0; i < a.size(); ++i)
            if (i % 4 != 3 && a[i] != b[i]) return false;
        return true;
    }
    static bool isIdentity(GLenum which) {
        float m[16];
        glGetFloatv(which, m);
        for (int i = 0; i < 16; ++i)
            if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f)) return false;
        return true;
    }

    static OffscreenGl* gl;
    TextOverlay box;
};

OffscreenGl* OverlayFrame::gl = nullptr;

}  // namespace

TEST_F(OverlayFrame, BoxCoversTheLowerLeftCornerAtAnyViewportSize) {
    for (auto size : {std::pair{160, 120}, std::pair{100, 60}}) {
        drawScene(size.first, size.second);
        drawToFrame(box);
        EXPECT_TRUE(sameColours(corner(), box.pixels)) << size.first << " x " << size.second;
        uint8_t beside[4], above[4];
        glReadPixels(80, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, beside);
        glReadPixels(0, 24, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, above);
        EXPECT_EQ(beside[1] + above[1], 2 * 255) << "the scene stays outside the box";
    }
}

TEST_F(OverlayFrame, LeavesIdentityMatricesAndTheSwitchesAsTheyWere) {
    for (bool on : {true, false}) {
        drawScene(160, 120);
        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND})
            if (!on) glDisable(cap);
        drawToFrame(box);
        EXPECT_TRUE(isIdentity(GL_PROJECTION_MATRIX));
        EXPECT_TRUE(isIdentity(GL_MODELVIEW_MATRIX));
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND})
            EXPECT_EQ(glIsEnabled(cap), on ? GL_TRUE : GL_FALSE) << cap;
    }
}

TEST_F(OverlayFrame, BlendedBoxShowsTheSceneWhereNothingWasWritten) {
    TextOverlay blended;
    createTextOverlay(blended, 0, 456, 80, 480, 640, 480, true);
    drawText(blended, "GO", {0, 0, 80, 24}, 0);
    drawScene(160, 120);
    drawToFrame(blended);
    std::vector<uint8_t> frame = corner();
    EXPECT_EQ(frame[1], 255) << "bottom-left, below the text's cell: the scene";
    EXPECT_EQ(frame[(23 * 80 + 79) * 4 + 1], 255) << "top-right, beside the cell: the scene";
    EXPECT_EQ(frame[(23 * 80) * 4 + 1], 0) << "top-left, in the cell: black";
    releaseTextOverlay(blended);
}
