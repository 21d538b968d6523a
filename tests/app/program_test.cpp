#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/input.h"
#include "app/joystick.h"
#include "app/settings.h"
#include "audio/music_player.h"
#include "app/program.h"
#include "math/camera.h"
#include "platform/midi_output.h"
#include "platform/window.h"
#include "platform/clock_manual.h"
#include "render/gl1/gl.h"
#include "support/error_capture.h"
#include "support/scratch_media.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// The real start-up: game.ini from a scratch media folder, the launcher, a
// real window and context on the test's X display. A Return key waits in the
// queue, so the launcher's Start is pressed as soon as it opens.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        gameSettings = GameSettings{};
        ASSERT_TRUE(startWindowSystem());
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.sym = SDLK_RETURN;
        SDL_PushEvent(&key);
    }
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

TEST_F(StartupTest, LeavesTheGameGlStateReadyForTheFirstFrame) {
    ASSERT_TRUE(initApplication(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(running);
    EXPECT_TRUE(gameSettings.accepted);  // Start was pressed

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

TEST_F(StartupTest, ClearColourAndSizeComeFromTheCallAndTheLaunchersChoice) {
    media.write("game.ini", "[Game]\nUseScreenRes=1\n");
    ASSERT_TRUE(initApplication(0.25f, 0.5f, 0.75f, 1.0f));
    float clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.25f);
    EXPECT_FLOAT_EQ(clear[2], 0.75f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    float projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 800.0 / 600.0, 1e-5);  // the aspect ratio
}

TEST_F(StartupTest, ScreenResolutionChoiceTakesTheDesktopSize) {
    media.write("game.ini", "[Game]\nWidth=800\nHeight=600\nUseScreenRes=3\n");
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    int width = 0, height = 0;
    ASSERT_TRUE(desktopSize(width, height));
    EXPECT_EQ(gameSettings.width, width);
    EXPECT_EQ(gameSettings.height, height);
}

TEST_F(StartupTest, SizesInGameIniNeverReachTheGame) {
    // Start sets the size from the chosen list entry, so not even a zero size
    // (which would mean the desktop's) gets through.
    media.write("game.ini", "[Game]\nWidth=0\nHeight=123\n");
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    EXPECT_EQ(gameSettings.useScreenRes, 0);
    EXPECT_EQ(gameSettings.width, 640);
    EXPECT_EQ(gameSettings.height, 480);
}

TEST_F(StartupTest, AFullScreenModeTheDisplayCannotShowFailsStartUpAndSaysSo) {
    // Xvfb offers its own screen size only, never 1024 x 800.
    media.write("game.ini", "[Game]\nWindowed=0\nUseScreenRes=2\n");
    ErrorCapture errors;
    EXPECT_FALSE(initApplication(0, 0, 0, 0));
    EXPECT_FALSE(running);
    EXPECT_EQ(errors.only(), "Full screen at 1024x800 is a size this display cannot show. "
                             "Check Windowed, or choose another size, in the launcher.");
}

TEST_F(StartupTest, AFrameLeavesThePlainPerspectiveForTheNext) {
    setManualClock(5000);
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    Matrix4 plain;
    glGetFloatv(GL_PROJECTION_MATRIX, plain.m);
    gameWorld.gameSeconds = 1.0f;
    for (int frame = 0; frame < 2; ++frame) {
        advanceManualClock(40);
        const uint32_t milliseconds = takeFrameTime();
        ASSERT_EQ(milliseconds, 40u);
        runFrame(milliseconds);
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

// The song plays for the launcher, as at the program's start, into SDL's
// silent audio driver.
class StartupWithSongTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        openMusicDevice();
        playMusic();
    }
    void TearDown() override {
        closeMusic();
        unsetenv("SDL_AUDIODRIVER");
        StartupTest::TearDown();
    }
};

TEST_F(StartupWithSongTest, WithoutMusicTheSynthesiserGoesWithTheLauncher) {
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    EXPECT_FALSE(musicPlayer.deviceReady);
    EXPECT_FALSE(midiOutputAudible());
}

TEST_F(StartupWithSongTest, WithMusicTheSongPlaysOn) {
    media.write("game.ini", "[Game]\nMusic=1\n");
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    EXPECT_TRUE(musicPlayer.deviceReady);
    EXPECT_TRUE(musicPlayer.songPlaying.load());
}

// A virtual stick is plugged in before the game starts.
class StartupWithStickTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 8, 0), 0);
        stick = SDL_JoystickGetDeviceInstanceID(0);
    }
    void TearDown() override {
        releaseJoystick(joystickState);
        SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        StartupTest::TearDown();
    }
    SDL_JoystickID stick = -1;
};

TEST_F(StartupWithStickTest, WithTheSettingOffTheStickIsNeverOpened) {
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    for (int pass = 0; pass < 3; ++pass) pumpMessages();
    EXPECT_FALSE(joystickState.present);
    EXPECT_EQ(SDL_JoystickFromInstanceID(stick), nullptr);
}

TEST_F(StartupWithStickTest, WithTheSettingOnTheStickIsRead) {
    media.write("game.ini", "[Game]\nJoystick=1\n");
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    EXPECT_TRUE(joystickState.present);
    EXPECT_NE(SDL_JoystickFromInstanceID(stick), nullptr);
}

}  // namespace
