// The score box on a real OpenGL frame: its pixels in the lower-left corner
// over the scene, and the GL state it leaves as it found it.
#include "overlay/text_overlay.h"
#include "platform/gl.h"
#include "platform/offscreen_gl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const GLenum kSwitches[] = {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND};

// Green at the depth of the box's raster position, then a red texture bound,
// every switch on or off, and matrices that are not the identity.
void drawScene(int width, int height, bool switchesOn) {
    for (GLenum cap : kSwitches) glDisable(cap);
    glViewport(0, 0, width, height);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glColor3f(0, 1, 0);
    glRectf(-1, -1, 1, 1);
    const uint8_t red[4] = {255, 0, 0, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, red);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (GLenum cap : kSwitches) switchesOn ? glEnable(cap) : glDisable(cap);
    glTranslatef(1, 2, 3);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -1, 1);
}

std::vector<float> matrixOf(GLenum matrix) {
    std::vector<float> m(16);
    glGetFloatv(matrix, m.data());
    return m;
}

}  // namespace

TEST(OverlayFrame, BoxCoversTheLowerLeftCornerAndLeavesTheStateAsItFoundIt) {
    OffscreenGl* gl = createOffscreenGl(160, 120);
    ASSERT_NE(gl, nullptr) << "no OpenGL context (is there an X display?)";
    TextOverlay box;
    createTextOverlay(box, 0, 456, 80, 480, 640, 480, false);
    drawText(box, "KILLS: 0", {0, 0, 80, 24}, 0);
    struct Case { int width, height; bool switchesOn; };
    for (Case c : {Case{160, 120, true}, Case{100, 60, true}, Case{160, 120, false}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " on " << c.switchesOn);
        drawScene(c.width, c.height, c.switchesOn);
        const std::vector<float> projection = matrixOf(GL_PROJECTION_MATRIX);
        const std::vector<float> modelView = matrixOf(GL_MODELVIEW_MATRIX);
        drawToFrame(box);
        std::vector<uint8_t> frame(80 * 25 * 4);  // the box's rows and one above
        glReadPixels(0, 0, 80, 25, GL_BGRA_EXT, GL_UNSIGNED_BYTE, frame.data());
        for (size_t i = 0; i < box.pixels.size(); ++i)
            ASSERT_TRUE(i % 4 == 3 || frame[i] == box.pixels[i]) << "byte " << i;
        EXPECT_EQ(frame[box.pixels.size() + 1], 255) << "the scene above the box";
        // Drawn after a frame as well as inside one, it must leave the
        // matrices as it found them.
        EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), modelView);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_PROJECTION);
        for (GLenum cap : kSwitches) EXPECT_EQ(glIsEnabled(cap) == GL_TRUE, c.switchesOn) << cap;
    }
    releaseTextOverlay(box);
    destroyOffscreenGl(gl);
}
