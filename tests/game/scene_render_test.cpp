// Whole frames of the real game, drawn headless with the real media, read back.
#include "app/replay_session.h"

#include "platform/media_path.h"
#include "render/gl1/gl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct Rgb {
    int r, g, b;
};

class SceneRender : public ::testing::Test {
protected:
    void start(bool stereo) {
        setMediaFolder(std::string(VEXAR_BINARY_DIR) + "/media");
        SessionSettings settings;
        settings.pictures = true;
        settings.seed = 5;
        settings.world.stereo = stereo;
        ASSERT_TRUE(startSession(session, settings));
        started = true;
    }
    void TearDown() override {
        if (started) endSession(session);
        setMediaFolder("");
    }
    World& world() { return *session.world; }
    // Puts the player still at `at`, looking along +Z.
    void placePlayer(Vec3 at) {
        world().player.matrix = matrixFromAngles({}, at);
        world().player.velocity = {};
    }
    // The frame as drawn, bottom row first.
    std::vector<uint8_t> drawFrame() {
        stepSession(session, true);
        std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    static Rgb at(const std::vector<uint8_t>& p, int x, int y) {
        const uint8_t* q = &p[(size_t(y) * kWidth + x) * 4];
        return {q[0], q[1], q[2]};
    }
    // Pixels in the rectangle (bottom-left origin) for which `test` holds.
    template <typename Test>
    static int count(const std::vector<uint8_t>& p, int x0, int y0, int x1, int y1, Test test) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += test(at(p, x, y));
        return n;
    }
    static bool lit(Rgb c) { return c.r + c.g + c.b > 60; }
    ReplaySession session;
    bool started = false;
};

TEST_F(SceneRender, AnEnemyDestroyedThisFrameIsMissingFromThisFramesPicture) {
    start(false);
    placePlayer({0, 300, 0});
    SceneObject& droid = world().enemies[0];
    droid.matrix = matrixFromAngles({0, 3.14159f, 0}, {0, 300, 8});  // straight ahead, facing us
    std::vector<uint8_t> frame = drawFrame();
    const int centre = count(frame, 280, 200, 360, 280, lit);
    EXPECT_GT(centre, 500) << "the droid fills the middle of the view";

    // A shot just short of it hits it in this frame's update.
    placePlayer({0, 300, 0});
    droid.matrix = matrixFromAngles({0, 3.14159f, 0}, {0, 300, 8});
    SceneObject& shot = world().shots[0].object;
    shot.side = kSidePlayer;
    shot.trackPosition = {0, 300, 4};
    shot.velocity = {0, 0, 2};
    frame = drawFrame();
    EXPECT_EQ(droid.side, kSideNone);
    EXPECT_LT(count(frame, 280, 200, 360, 280, lit), 20);

    // The score box stands in the lower-left corner, white text on black.
    const int white = count(frame, 0, 0, 80, 24, [](Rgb c) { return c.r > 200 && c.b > 200; });
    EXPECT_GT(white, 40);
    EXPECT_EQ(count(frame, 80, 0, 160, 24, [](Rgb c) { return c.r > 200 && c.b > 200; }), 0);
}

TEST_F(SceneRender, AStereoFrameCarriesTheBlueAndTheRedImage) {
    start(true);
    // Close to a body, looking at its side lit from the station's hub.
    const Vec3 body = matrixPosition(world().deathStars[0].matrix);
    Vec3 towards = body;
    normalize(towards);
    placePlayer({});
    aimMatrix(body - 45.0f * towards, world().player.matrix, towards);
    const std::vector<uint8_t> frame = drawFrame();
    // Neither light has any green: the blue and the red image stand out from
    // the grey of the material's own glow.
    EXPECT_GT(count(frame, 0, 0, kWidth, kHeight, [](Rgb c) { return c.b > c.g + 30; }), 1000);
    EXPECT_GT(count(frame, 0, 0, kWidth, kHeight, [](Rgb c) { return c.r > c.g + 30; }), 1000);
}

TEST_F(SceneRender, AfterARamTheBackgroundFlashesAndDarkens) {
    start(false);
    placePlayer({0, 1000, 0});  // nothing but stars around
    world().state.playing = 0;
    world().gameSeconds = -0.03f;  // the ram happened as this frame began
    drawFrame();  // sets the colour the next frame is cleared with
    std::vector<uint8_t> frame = drawFrame();
    auto flash = [](Rgb c) { return c.r == 255 && c.g >= 63 && c.g <= 64 && c.b >= 127 && c.b <= 128; };
    EXPECT_GT(count(frame, 100, 100, 200, 200, flash), 9000);
    for (int i = 0; i < 5.0 / 0.03; ++i) frame = drawFrame();
    // Five seconds on, the last colour set stays: nearly black.
    const Rgb corner = at(frame, 300, 300);
    EXPECT_LE(corner.r, 3);
    EXPECT_LE(corner.b, 2);
}

}  // namespace
