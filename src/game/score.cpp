#include "game/score.h"

#include "game/world.h"

#include <cstdio>

namespace {

// The box is 80 pixels wide; the score draws into 100 and lets the box's edge cut it.
constexpr TextRect kScoreRect = {0, 0, 100, 24};
constexpr TextRect kFirstScoreRect = {0, 0, 80, 24};

}  // namespace

void showFirstScore(World& world) { drawText(world.scoreOverlay, "KILLS: 0", kFirstScoreRect, 0); }

void addKills(World& world, int32_t delta) {
    GameState& state = world.state;
    // Unsigned, so endless hits wrap instead of overflowing.
    state.kills = int32_t(uint32_t(state.kills) + uint32_t(delta));
    char text[32];
    std::snprintf(text, sizeof text, "KILLS: %i", int(state.kills));
    clearTextOverlay(world.scoreOverlay);
    if (state.kills == kWinningKills) {
        std::snprintf(text, sizeof text, "GO VEXAR!");
        state.playing = 0;
    } else if (state.kills < kLosingBelow) {
        std::snprintf(text, sizeof text, "GAME OVER");
        state.playing = 0;
    }
    drawText(world.scoreOverlay, text, kScoreRect, 0);
}
