// The pictures between two frames, placed from the real game's world (its
// media loaded, nothing drawn): what moves goes between the two frames, what
// appears, vanishes or jumps is drawn as the latest frame has it.
#include "game/drawn_view.h"

#include "app/replay_session.h"
#include "platform/media_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

template <class T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

float length(Vec3 v) { return std::sqrt(dot(v, v)); }

class DrawnPictures : public ::testing::Test {
protected:
    void SetUp() override {
        setMediaFolder(std::string(VEXAR_BINARY_DIR) + "/media");
        SessionSettings settings;
        settings.seed = 11;
        ASSERT_TRUE(startSession(session, settings));
        // A few frames in, so that the enemies move and the world is the game's own.
        for (int i = 0; i < 5; ++i) stepSession(session, false);
    }
    void TearDown() override {
        endSession(session);
        setMediaFolder("");
    }
    World& world() { return *session.world; }
    // The latest frame after the one kept in `before`.
    void nextFrame() {
        keepDrawnState(world(), before);
        stepSession(session, false);
    }
    ReplaySession session;
    DrawnState before;
    DrawnView view;
};

TEST_F(DrawnPictures, AtEachEndThePictureIsThatFramesOwn) {
    keepDrawnState(world(), before);
    const Camera earlierCamera = world().camera;
    const Matrix4 earlierDroid = world().enemies[0].matrix;
    stepSession(session, false);
    ASSERT_FALSE(sameBits(earlierDroid, world().enemies[0].matrix)) << "the droid should move";

    placeBetween(before, world(), 1.0f, view);
    EXPECT_TRUE(sameBits(view.camera.viewMatrix, world().camera.viewMatrix));
    EXPECT_TRUE(sameBits(view.camera.stereoOffset, world().camera.stereoOffset));
    for (int i = 0; i < kEnemyCount; ++i)
        EXPECT_TRUE(sameBits(view.enemies[i].matrix, world().enemies[i].matrix)) << i;
    EXPECT_TRUE(sameBits(view.station.matrix, world().station.matrix));

    placeBetween(before, world(), 0.0f, view);
    EXPECT_TRUE(sameBits(view.camera.viewMatrix, earlierCamera.viewMatrix));
    EXPECT_TRUE(sameBits(view.camera.eye, earlierCamera.eye));
    EXPECT_TRUE(sameBits(view.enemies[0].matrix, earlierDroid));
}

TEST_F(DrawnPictures, TheCameraTurnsBetweenTheFramesWithUnitAxes) {
    keepDrawnState(world(), before);
    const Camera earlier = world().camera;
    // The player turned by a third of a radian of yaw and moved on in the latest frame.
    const Matrix4 turn = matrixFromAngles({0, 0.3f, 0}, {});
    Matrix4& player = world().player.matrix;
    Matrix4 turned;
    multiplyAffine(turned, turn, player);
    turned[12] += 1.0f;
    player = turned;
    updateCamera(world().camera, player);

    placeBetween(before, world(), 0.5f, view);
    const Camera& c = view.camera;
    const Vec3 forward = c.target - c.eye;
    const Vec3 forwardBefore = earlier.target - earlier.eye;
    const Vec3 forwardAfter = world().camera.target - world().camera.eye;
    const float a = std::acos(dot(forward, forwardBefore) / (length(forward) * length(forwardBefore)));
    const float b = std::acos(dot(forward, forwardAfter) / (length(forward) * length(forwardAfter)));
    EXPECT_NEAR(a, 0.15f, 1e-3f);
    EXPECT_NEAR(b, 0.15f, 1e-3f);
    EXPECT_NEAR(length(c.up), 1.0f, 1e-5f);
    EXPECT_NEAR(length(forward), kLookDistance, 1e-3f);
    EXPECT_NEAR(length(c.stereoOffset), std::fabs(kStereoEyeOffset), 1e-6f);
    EXPECT_NEAR(c.eye.x, 0.5f * (earlier.eye.x + world().camera.eye.x), 1e-4f);
    // The view matrix is the one the eye and the axes make: the second eye
    // of the stereo mode stands beside the in-between eye, not the latest.
    Matrix4 expected;
    lookAtMatrix(expected, c.eye, c.target, c.up);
    EXPECT_TRUE(sameBits(expected, c.viewMatrix));
}

TEST_F(DrawnPictures, AShotLaunchedOrEndedIsNotSlidAndOneFlyingOnIs) {
    ShotObject& shot = world().shots[2];
    SceneObject& o = shot.object;
    // Flying on: the latest step is the step it had.
    o.side = kSidePlayer;
    o.velocity = {0, 0, 1.5f};
    o.trackPosition = {10, 20, 30};
    o.matrix[12] = 10, o.matrix[13] = 20, o.matrix[14] = 30;
    keepDrawnState(world(), before);
    o.trackPosition = o.trackPosition + o.velocity;
    o.matrix[14] = o.trackPosition.z;
    EXPECT_TRUE(shotFlewOn(before.shots[2], shot));
    placeBetween(before, world(), 0.5f, view);
    EXPECT_NEAR(view.shots[2].object.matrix[14], 30.75f, 1e-5f);

    // Launched anew in the same slot, far from where the old one flew.
    keepDrawnState(world(), before);
    o.trackPosition = {-40, 0, 5};
    o.matrix[12] = -40, o.matrix[13] = 0, o.matrix[14] = 5;
    EXPECT_FALSE(shotFlewOn(before.shots[2], shot));
    placeBetween(before, world(), 0.5f, view);
    EXPECT_TRUE(sameBits(view.shots[2].object.matrix, o.matrix));

    // Launched from an idle slot, even close by; then ended.
    o.side = kSideNone;
    keepDrawnState(world(), before);
    o.side = kSideEnemy;
    placeBetween(before, world(), 0.25f, view);
    EXPECT_TRUE(sameBits(view.shots[2].object.matrix, o.matrix));
    keepDrawnState(world(), before);
    o.side = kSideNone;
    placeBetween(before, world(), 0.25f, view);
    EXPECT_EQ(view.shots[2].object.side, kSideNone);
}

TEST_F(DrawnPictures, AnObjectSwitchedOffOrJumpingIsDrawnAsTheLatestFrameHasIt) {
    SceneObject& droid = world().enemies[1];
    keepDrawnState(world(), before);
    droid.side = kSideNone;  // destroyed in the latest frame
    placeBetween(before, world(), 0.5f, view);
    EXPECT_EQ(view.enemies[1].side, kSideNone);

    droid.side = kSideEnemy;
    keepDrawnState(world(), before);
    droid.matrix[12] += 500.0f;  // further than anything flies in a frame
    EXPECT_TRUE(objectJumped(before.objects[1 + kDeathStarCount + kSolarPanelCount + 1],
                             before.sides[1 + kDeathStarCount + kSolarPanelCount + 1], droid,
                             world().frameSeconds));
    placeBetween(before, world(), 0.5f, view);
    EXPECT_TRUE(sameBits(view.enemies[1].matrix, droid.matrix));

    keepDrawnState(world(), before);
    droid.matrix[12] += 0.5f;  // a droid's step
    placeBetween(before, world(), 0.5f, view);
    EXPECT_NEAR(view.enemies[1].matrix[12], droid.matrix[12] - 0.25f, 1e-4f);
}

TEST(DrawnParticles, ARestartedBurstIsNotSlidFromTheOldOne) {
    ExplosionPass before, latest, out;
    before.shown = latest.shown = true;
    before.count = 2;
    before.slots[0] = 3, before.ages[0] = 0.5f, before.positions[0] = {0, 0, 0};
    before.slots[1] = 4, before.ages[1] = 0.9f, before.positions[1] = {5, 5, 5};
    before.colours[0][3] = 1.0f;
    latest.count = 2;
    // Slot 3 moved on (older), slot 4 emitted anew by a restarted burst (younger).
    latest.slots[0] = 3, latest.ages[0] = 0.53f, latest.positions[0] = {2, 0, 0};
    latest.slots[1] = 4, latest.ages[1] = 0.01f, latest.positions[1] = {-7, 1, 0};
    latest.colours[0][3] = 0.5f;
    blendParticles(before, latest, 0.5f, out);
    EXPECT_EQ(out.count, 2);
    EXPECT_NEAR(out.positions[0].x, 1.0f, 1e-6f);
    EXPECT_NEAR(out.colours[0][3], 0.75f, 1e-6f);
    EXPECT_TRUE(sameBits(out.positions[1], latest.positions[1]));

    blendParticles(before, latest, 1.0f, out);
    EXPECT_TRUE(sameBits(out.positions, latest.positions));
    EXPECT_TRUE(sameBits(out.colours, latest.colours));
}

}  // namespace
