// Rules of the world update that a recorded game seldom lands on exactly:
// band boundaries, the throttle's creep, the shot ring, a shot through two
// enemies. The world is built by hand; sounds are not loaded, so every sound
// counts as idle and the player may fire every frame.
#include "game/world_update.h"

#include "model/a3f_reader.h"
#include "support/error_capture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A square plate 2 units across, facing +z and -z.
const char kPlate[] =
    "A3F VERTICES { POSITION_NORMAL 4  -1 -1 0 0 0 1  1 -1 0 0 0 1  1 1 0 0 0 1  -1 1 0 0 0 1 }"
    " FACES { 4  0 1 2 0  0 2 3 0  0 2 1 0  0 3 2 0 }";

class WorldRules : public ::testing::Test {
protected:
    void SetUp() override {
        world = std::make_unique<World>();
        world->state.playing = 1;
        world->frameSeconds = 0.03f;
        for (SceneObject& enemy : world->enemies) enemy.side = kSideNone;
        player().side = kSidePlayer;
        setPosition(player(), {0, 0, 0});
    }
    void TearDown() override {
        for (SceneObject& o : world->enemies) releaseModelArrays(o);
        releaseModelArrays(player());
    }
    SceneObject& player() { return world->player; }
    SceneObject& enemy(int k) { return world->enemies[k]; }
    static void setPosition(SceneObject& o, Vec3 p) {
        o.matrix[12] = p.x;
        o.matrix[13] = p.y;
        o.matrix[14] = p.z;
    }
    static void givePlate(SceneObject& o) {
        ASSERT_TRUE(readA3fText(kPlate, sizeof kPlate - 1, "plate", o));
        o.side = kSideEnemy;
    }
    uint32_t randomAfter(int draws) {
        RandomSource r = world->random;
        for (int i = 0; i < draws; ++i) gameRand(r);
        return r.state;
    }
    std::unique_ptr<World> world;
    InputState input;
};

TEST_F(WorldRules, DroidBandsSwitchAtExactlyTenAndFiveThousand) {
    SceneObject& droid = enemy(0);
    droid.side = kSideEnemy;
    // q = 10000 exactly: the droid heads home, near (10, 1, 1), towards -x,
    // although the player lies straight above it.
    droid.matrix = matrixFromAngles({}, {100, -100, 0});
    setPosition(player(), {100, 0, 0});
    uint32_t before = world->random.state;
    updateWorld(*world);
    EXPECT_EQ(world->random.state, before);
    EXPECT_LT(matrixAxisZ(droid.matrix).x, 0.0f);

    // q = 5000 exactly: the middle band, the only one that jitters (three draws).
    droid.matrix = matrixFromAngles({}, {50, 50, 0});
    setPosition(player(), {0, 0, 0});
    const uint32_t afterThreeDraws = randomAfter(3);
    updateWorld(*world);
    EXPECT_EQ(world->random.state, afterThreeDraws);

    // Just inside: the chase, straight at the player, without a draw.
    droid.matrix = matrixFromAngles({}, {50, 49.99f, 0});
    before = world->random.state;
    updateWorld(*world);
    EXPECT_EQ(world->random.state, before);
    EXPECT_LT(matrixAxisZ(droid.matrix).x, 0.0f);
}

TEST_F(WorldRules, RadarsAimWithinFortyThousandAndFireBelowTenThousand) {
    SceneObject& radar = enemy(4);
    radar.side = kSideEnemy;
    radar.matrix = matrixFromAngles({}, {200, 0, 0});  // q = 40000: nothing at all
    updateWorld(*world);
    EXPECT_EQ(matrixAxisZ(radar.matrix).z, 1.0f);

    radar.matrix = matrixFromAngles({}, {100, 0, 0});  // q = 10000: turns, holds fire
    updateWorld(*world);
    EXPECT_LT(matrixAxisZ(radar.matrix).z, 1.0f);
    for (const ShotObject& shot : world->shots) EXPECT_EQ(shot.object.side, kSideNone);

    radar.matrix = matrixFromAngles({}, {99.99f, 0, 0});
    updateWorld(*world);
    EXPECT_EQ(world->shots[1].object.side, kSideEnemy);
    // Fired along the radar's -Z, which turns towards the player (at -x from it).
    EXPECT_LT(world->shots[1].object.velocity.x, 0.0f);
}

TEST_F(WorldRules, ThrottleCreepsOneFrameBeyondItsLimitAndNoFurther) {
    input.keys[kKeyUp] = 1;
    player().velocity.z = 0.99f;
    for (int frame = 0; frame < 5; ++frame) updatePlayer(*world, input);
    EXPECT_FLOAT_EQ(player().velocity.z, 1.02f);
    input.keys[kKeyUp] = 0;
    input.keys[kKeyDown] = 1;
    player().velocity.z = -0.995f;
    updatePlayer(*world, input);
    EXPECT_FLOAT_EQ(player().velocity.z, -1.025f);
    // The drift starts from nothing every frame.
    input.keys[kKeyLeft] = 1;
    updatePlayer(*world, input);
    EXPECT_FLOAT_EQ(player().velocity.x, 0.03f);
}

TEST_F(WorldRules, AFifthShotTakesOverTheOldestSlot) {
    input.keys[kKeySpace] = 1;
    world->camera.target = {0, 0, 1};  // the line of sight before the first camera update
    for (int frame = 0; frame < 4; ++frame) updatePlayer(*world, input);
    EXPECT_EQ(world->state.nextShot, 0);  // slots 1, 2, 3, 0
    EXPECT_FLOAT_EQ(world->shots[1].object.velocity.z, 0.03f * 50.0f);
    player().velocity.z = 1.0f;
    setPosition(player(), {7, 8, 9});
    updatePlayer(*world, input);
    EXPECT_EQ(world->state.nextShot, 1);
    EXPECT_EQ(world->shots[1].object.trackPosition.x, 7.0f);
}

TEST_F(WorldRules, OneShotThroughTwoEnemiesKillsBothAndCanHitThePlayerToo) {
    givePlate(enemy(0));
    givePlate(enemy(5));
    givePlate(player());
    player().side = kSidePlayer;
    // All three plates lie across the step the shot tests this frame (10 to 11).
    enemy(0).matrix = matrixFromAngles({}, {0, 0, 10.25f});
    enemy(5).matrix = matrixFromAngles({}, {0, 0, 10.5f});
    player().matrix = matrixFromAngles({}, {0, 0, 10.75f});
    SceneObject& shot = world->shots[0].object;
    shot.side = kSidePlayer;
    shot.trackPosition = {0, 0, 9.0f};
    shot.velocity = {0, 0, 1.0f};
    updateWorld(*world);
    EXPECT_EQ(enemy(0).side, kSideNone);
    EXPECT_EQ(enemy(5).side, kSideNone);
    EXPECT_EQ(shot.side, kSideNone);
    // Two kills, and the switched-off shot went on to hit its own player.
    EXPECT_EQ(world->state.kills, 2 - 1);
    EXPECT_EQ(world->explosion.elapsed, 0.0f);
    EXPECT_EQ(world->explosion.pointSize, 7);  // near where the player started
    EXPECT_EQ(world->explosionOrigin.z, 10.0f);
}

TEST_F(WorldRules, ADroidWithinRammingDistanceEndsPlay) {
    enemy(2).side = kSideEnemy;
    enemy(2).matrix = matrixFromAngles({}, {1.0f, 1.0f, 0.0f});  // q = 2: not yet
    EXPECT_EQ(findDroidCollision(*world, player()), -1);
    enemy(2).matrix = matrixFromAngles({}, {1.0f, 0.9f, 0.0f});  // q = 1.81
    world->gameSeconds = 12.0f;
    EXPECT_EQ(findDroidCollision(*world, player()), 2);
    updatePlayer(*world, input);
    EXPECT_EQ(world->state.playing, 0);
    EXPECT_EQ(world->state.kills, -100);
    EXPECT_EQ(world->gameSeconds, 0.0f);
    EXPECT_EQ(enemy(2).side, kSideEnemy) << "the droid survives the ram";
    enemy(6).side = kSideEnemy;  // radars never ram
    enemy(2).side = kSideNone;
    enemy(6).matrix = player().matrix;
    EXPECT_EQ(findDroidCollision(*world, player()), -1);
}

}  // namespace
