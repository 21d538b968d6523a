#pragma once
#include <cstdint>

struct World;

// Kill counts at which play ends.
constexpr int32_t kWinningKills = 8;     // exactly: "GO VEXAR!"
constexpr int32_t kLosingBelow = -90;    // -91 or lower: "GAME OVER"

// Changes the kill count, rewrites the score box, and ends play at exactly
// eight kills or below -90.
void addKills(World& world, int32_t delta);

// Writes "KILLS: 0" into the freshly created score box.
void showFirstScore(World& world);
