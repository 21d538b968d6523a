#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/program.h"
#include "math/camera.h"
#include "platform/gl.h"
#include "platform/window.h"
#include "platform/clock_manual.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

namespace {

// The real start-up: game.ini from a scratch media folder, a real window and
// context on the test's X display.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { gameSettings = GameSettings{}; }
    void TearDown() override {
        destroyGameContext();
        stopWindowSystem();
        running = false;
    }
    ScratchMedia media;
};

void expectQuad(GLenum light, GLenum name, float a, float b, float c, float d) {
    float v[4] = {};
    if (light == GL_FRONT)
        glGetMaterialfv(GL_FRONT, name, v);
    else
        glGetLightfv(light, name, v);
    EXPECT_FLOAT_EQ(v[0], a) << std::hex << name;
    EXPECT_FLOAT_EQ(v[1], b) << std::hex << name;
    EXPECT_FLOAT_EQ(v[2], c) << std::hex << name;
    EXPECT_FLOAT_EQ(v[3], d) << std::hex << name;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

TEST_F(StartupTest, LeavesTheSpecifiedGlState) {
    ASSERT_TRUE(initApplication(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(running);
    EXPECT_TRUE(gameSettings.accepted);  // no launcher yet: game.ini is taken as it is

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_EQ(lightCount, 1);

    expectQuad(GL_LIGHT0, GL_AMBIENT, 0.2f, 0.2f, 0.2f, 1);
    expectQuad(GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1);
    expectQuad(GL_LIGHT0, GL_SPECULAR, 0, 0, 0, 1);
    expectQuad(GL_LIGHT0, GL_POSITION, 0, 1, 1, 1);  // set under an identity model-view
    EXPECT_EQ(integer(GL_LIGHT_MODEL_TWO_SIDE), 0);
    float colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
    expectQuad(GL_FRONT, GL_AMBIENT, 0.2f, 0.2f, 0.2f, 1);
    expectQuad(GL_FRONT, GL_EMISSION, 0.2f, 0.2f, 0.2f, 1);
    expectQuad(GL_FRONT, GL_SPECULAR, 1, 1, 1, 1);
    expectQuad(GL_FRONT, GL_DIFFUSE, 0.8f, 0.8f, 0.8f, 1);  // OpenGL's default kept
    float shininess = -1;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(shininess, 0.0f);

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_PROJECTION);
    float projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // glFrustum(-0.2761421, 0.2761421, -0.2071066, 0.2071066, 0.5, 3000)
    EXPECT_NEAR(projection[0], 0.5 / 0.2761421, 1e-5);  // 2n / (r - l)
    EXPECT_NEAR(projection[5], 0.5 / 0.2071066, 1e-5);
    EXPECT_NEAR(projection[10], -3000.5 / 2999.5, 1e-6);
    EXPECT_NEAR(projection[11], -1.0, 1e-6);
    EXPECT_NEAR(projection[14], -3000.0 / 2999.5, 1e-5);
    EXPECT_EQ(projection[8], 0.0f);
    EXPECT_EQ(projection[15], 0.0f);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);

    EXPECT_FLOAT_EQ(gameWorld.camera.viewMatrix[14], -5.0f);  // the start-up view
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(StartupTest, ClearColourAndSizeComeFromTheCallAndGameIni) {
    media.write("game.ini", "[Game]\nWidth=320\nHeight=200\n");
    ASSERT_TRUE(initApplication(0.25f, 0.5f, 0.75f, 1.0f));
    float clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.25f);
    EXPECT_FLOAT_EQ(clear[2], 0.75f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 200);
    float projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 1.6, 1e-5);  // the aspect ratio
}

TEST_F(StartupTest, ScreenResolutionChoiceTakesTheDesktopSize) {
    media.write("game.ini", "[Game]\nWidth=800\nHeight=600\nUseScreenRes=3\n");
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    int width = 0, height = 0;
    ASSERT_TRUE(desktopSize(width, height));
    EXPECT_EQ(gameSettings.width, width);
    EXPECT_EQ(gameSettings.height, height);
}

TEST_F(StartupTest, AZeroSizeMeansTheDesktopSize) {
    media.write("game.ini", "[Game]\nWidth=0\n");
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    EXPECT_EQ(gameSettings.useScreenRes, 3);
    int width = 0, height = 0;
    ASSERT_TRUE(desktopSize(width, height));
    EXPECT_EQ(gameSettings.width, width);
}

TEST_F(StartupTest, AFullScreenModeTheDisplayCannotShowFailsStartUp) {
    media.write("game.ini", "[Game]\nWindowed=0\nWidth=123\nHeight=45\n");
    EXPECT_FALSE(initApplication(0, 0, 0, 0));
    EXPECT_FALSE(running);
}

TEST_F(StartupTest, AFrameLeavesThePlainPerspectiveForTheNext) {
    setManualClock(5000);
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    Matrix4 plain;
    glGetFloatv(GL_PROJECTION_MATRIX, plain.m);
    gameWorld.gameSeconds = 1.0f;
    for (int frame = 0; frame < 2; ++frame) {
        advanceManualClock(40);
        const float frameSeconds = beginFrame();
        ASSERT_GT(frameSeconds, 0.0f);
        runFrame(frameSeconds);
    }
    releaseManualClock();
    EXPECT_FLOAT_EQ(gameWorld.gameSeconds, 1.08f);
    // The camera followed the player, which stands at the origin before set-up.
    EXPECT_FLOAT_EQ(gameWorld.camera.target.z, 25.0f);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    Matrix4 after;
    glGetFloatv(GL_PROJECTION_MATRIX, after.m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], plain[i]) << i;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(StartupTest, QuitKeyTearsDownTheContextAtOnce) {
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    InputMessage quit;
    quit.code = kMessageKeyDown;
    quit.wParam = 27;
    handleInputMessage(quit);
    EXPECT_FALSE(running);
    // No context is current any more.
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);
}

}  // namespace
