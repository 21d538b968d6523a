// The pictures between two frames: what moves is placed between them, what
// appears, vanishes or jumps is drawn as the latest frame has it.
#include "game/drawn_view.h"

#include "app/replay_session.h"
#include "platform/media_path.h"
#include "render/renderer.h"
#include "render/world_drawing.h"
#include "support/turning_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

bool sameMatrix(const Matrix4& a, const Matrix4& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }

void fly(SceneObject& o, Vec3 at) {
    o.trackPosition = at;
    o.matrix[12] = at.x;
    o.matrix[13] = at.y;
    o.matrix[14] = at.z;
}

class DrawnViewRules : public ::testing::Test {
protected:
    DrawnViewRules() { world->frameSeconds = 0.03f; }
    std::unique_ptr<World> world = std::make_unique<World>();
    DrawnState before;
    std::unique_ptr<DrawnView> view = std::make_unique<DrawnView>();
};

// Slot 0 flies on by its step, slot 1 is launched from the ring's free slot,
// slot 2 is launched again while still flying (the fifth shot takes the
// oldest), slot 3 ends.
TEST_F(DrawnViewRules, AShotLaunchedOrEndedIsNotSlid) {
    ShotObject* s = world->shots;
    for (int i : {0, 2, 3}) {
        s[i].object.side = kSidePlayer;
        s[i].object.velocity = {0, 0, 1.5f};
        fly(s[i].object, {0, 0, 100.0f * float(i)});
    }
    keepDrawnState(*world, before);
    fly(s[0].object, s[0].object.trackPosition + s[0].object.velocity);
    s[1].object.side = kSideEnemy;
    s[1].object.velocity = {0, 0, 1.5f};
    fly(s[1].object, {5, 5, 5});
    fly(s[2].object, {5, 5, 6.5f});  // the same step, from elsewhere
    s[3].object.side = kSideNone;
    placeBetween(before, *world, 0.5f, *view);
    EXPECT_FLOAT_EQ(view->shots[0].object.matrix[14], 0.75f);
    for (int i : {1, 2})
        EXPECT_TRUE(sameMatrix(view->shots[i].object.matrix, s[i].object.matrix)) << "shot " << i;
    EXPECT_EQ(view->shots[3].object.side, kSideNone);
}

TEST_F(DrawnViewRules, AnObjectSwitchedOffOrJumpingIsDrawnAsTheLatestFrameHasIt) {
    SceneObject* e = world->enemies;
    for (int i = 0; i < 3; ++i) e[i].side = kSideEnemy;
    keepDrawnState(*world, before);
    fly(e[0], {0.3f, 0, 0});   // a droid's flight in a frame: between
    fly(e[1], {0, 0, 40.0f});  // further than anything flies in 30 ms
    e[2].side = kSideNone;     // destroyed
    placeBetween(before, *world, 0.5f, *view);
    EXPECT_FLOAT_EQ(view->enemies[0].matrix[12], 0.15f);
    EXPECT_FLOAT_EQ(view->enemies[1].matrix[14], 40.0f);
    EXPECT_EQ(view->enemies[2].side, kSideNone);
}

// A kill restarts the burst: a slot emitted again (younger now) shows its new
// particle where it is, while a particle of the old burst drifts on between.
TEST_F(DrawnViewRules, AnExplosionRestartedIsNotSlidFromTheOldOne) {
    ExplosionPass old, latest, out;
    old.shown = latest.shown = true;
    old.count = latest.count = 2;
    old.slots[0] = latest.slots[0] = 4;
    old.ages[0] = 1.0f, latest.ages[0] = 1.03f;
    old.positions[0] = {0, 0, 0}, latest.positions[0] = {1, 0, 0};
    old.slots[1] = latest.slots[1] = 7;
    old.ages[1] = 2.0f, latest.ages[1] = 0.03f;
    old.positions[1] = {-50, 0, 0}, latest.positions[1] = {50, 0, 0};
    old.colours[0][3] = 0.8f, latest.colours[0][3] = 0.6f;
    blendParticles(old, latest, 0.5f, out);
    EXPECT_FLOAT_EQ(out.positions[0].x, 0.5f);
    EXPECT_FLOAT_EQ(out.colours[0][3], 0.7f);
    EXPECT_FLOAT_EQ(out.positions[1].x, 50.0f);
    EXPECT_EQ(out.count, 2);
}

TEST_F(DrawnViewRules, TheCameraTurnsBetweenAndIsTheLatestOneAtTheEnd) {
    world->player.matrix = matrixFromAngles({0, 0.1f, 0}, {1, 2, 3});
    keepDrawnState(*world, before);
    world->player.matrix = matrixFromAngles({0, 0.2f, 0}, {1, 2, 3.5f});
    updateCamera(world->camera, world->player.matrix);
    placeBetween(before, *world, 0.5f, *view);
    EXPECT_FLOAT_EQ(view->camera.eye.z, 3.25f);
    const Vec3 look = view->camera.target - view->camera.eye;
    EXPECT_NEAR(std::atan2(look.x, look.z), 0.15f, 1e-5f);
    placeBetween(before, *world, 1.0f, *view);
    EXPECT_TRUE(sameMatrix(view->camera.viewMatrix, world->camera.viewMatrix));
    // Before the first frame there is nothing to come from.
    placeBetween(DrawnState{}, *world, 0.0f, *view);
    EXPECT_TRUE(sameMatrix(view->camera.viewMatrix, world->camera.viewMatrix));
}

// Whole pictures of the real game, headless: at f = 0 the picture is the
// frame before's, at f = 1 the latest frame's, both bit for bit.
TEST(DrawnViewPictures, TheEndsAreTheTwoFramesPictures) {
    ReplaySession session;
    ASSERT_TRUE(startTurningSession(session, 11, 20));
    const std::vector<uint8_t> previous = readFrame(640, 480);
    DrawnState before;
    keepDrawnState(*session.world, before);
    stepSession(session, false);
    auto view = std::make_unique<DrawnView>();
    placeBetween(before, *session.world, 0.0f, *view);
    drawWorldFrame(*session.world, *view, false);
    EXPECT_EQ(readFrame(640, 480), previous);
    placeBetween(before, *session.world, 0.5f, *view);
    drawWorldFrame(*session.world, *view, true);
    const std::vector<uint8_t> between = readFrame(640, 480);
    EXPECT_NE(between, previous);
    placeBetween(before, *session.world, 1.0f, *view);
    drawWorldFrame(*session.world, *view, true);
    const std::vector<uint8_t> latest = readFrame(640, 480);
    drawWorldFrame(*session.world, true);
    EXPECT_EQ(readFrame(640, 480), latest);
    EXPECT_NE(latest, between);
    endSession(session);
    setMediaFolder("");
}

}  // namespace
