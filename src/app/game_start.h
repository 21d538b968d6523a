#pragma once
#include "game/world.h"

// The start-up the live game and a demo played in the game window share,
// once gameSettings hold what the game is to be.

// The volumes set, the game window opened, the fixed OpenGL state and the
// start-up view; `world` as the window came out (the desktop's size for
// "ScreenRez"). False when no window opens.
bool openGameWindow(const float clearColour[4], bool holdPointer, WorldSettings& world);
// From now on frames run, counted from now.
void startRunning();
