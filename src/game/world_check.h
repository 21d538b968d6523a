#pragma once
#include "game/world.h"

#include <cstdint>

// A fingerprint of everything the world decides by itself: the time, the
// score, whether play goes on, the sounds' flags, the random source, and the
// place and motion of the player, the enemies, the shots and the explosion.
// Two runs whose checks agree frame after frame played the same game.
uint64_t worldCheck(const World& world);
