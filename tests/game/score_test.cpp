// The score box as the player sees it: the bitmap after each change of the
// count, compared with the text written on its own.
#include "game/score.h"

#include "game/world.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class Score : public ::testing::Test {
protected:
    void SetUp() override {
        world = std::make_unique<World>();
        world->state.playing = 1;
        ASSERT_TRUE(createTextOverlay(world->scoreOverlay, 0, 456, 80, 480, 640, 480, false));
    }
    void TearDown() override { releaseTextOverlay(world->scoreOverlay); }

    // The box as it looks with only this text in it.
    std::vector<uint8_t> boxShowing(const std::string& text) {
        TextOverlay alone;
        createTextOverlay(alone, 0, 456, 80, 480, 640, 480, false);
        drawText(alone, text.c_str(), {0, 0, 100, 24}, 0);
        std::vector<uint8_t> pixels = alone.pixels;
        releaseTextOverlay(alone);
        return pixels;
    }
    bool shows(const std::string& text) { return world->scoreOverlay.pixels == boxShowing(text); }
    void addKillsTimes(int times, int delta) {
        for (int i = 0; i < times; ++i) addKills(*world, delta);
    }
    std::unique_ptr<World> world;
};

TEST_F(Score, EightKillsShowTheBannerAndANinthTheCount) {
    showFirstScore(*world);
    EXPECT_TRUE(shows("KILLS: 0"));
    addKillsTimes(7, +1);
    EXPECT_TRUE(shows("KILLS: 7"));
    EXPECT_EQ(world->state.playing, 1);
    addKills(*world, +1);
    EXPECT_TRUE(shows("GO VEXAR!"));
    EXPECT_FALSE(shows("KILLS: 8"));
    EXPECT_EQ(world->state.playing, 0);
    addKills(*world, +1);
    EXPECT_TRUE(shows("KILLS: 9"));
    addKills(*world, -1);
    EXPECT_TRUE(shows("GO VEXAR!")) << "coming back to eight shows the banner again";
    EXPECT_EQ(world->state.playing, 0);
}

TEST_F(Score, BelowMinusNinetyIsGameOverAndMinusNinetyIsNot) {
    addKillsTimes(90, -1);
    EXPECT_TRUE(shows("KILLS: -90"));
    EXPECT_EQ(world->state.playing, 1);
    addKills(*world, -1);
    EXPECT_TRUE(shows("GAME OVER"));
    EXPECT_EQ(world->state.playing, 0);
}

TEST_F(Score, ARamWithSevenKillsEndsInGameOverAtOnce) {
    addKillsTimes(7, +1);
    addKills(*world, -100);
    EXPECT_EQ(world->state.kills, -93);
    EXPECT_TRUE(shows("GAME OVER"));
}

}  // namespace
