#pragma once
#include "game/world.h"

// The start-up sequence: settings, window, fixed GL state, light, camera,
// texture cache, joystick. The projection stays the current matrix mode.
bool initApplication(float red, float green, float blue, float alpha);

// The live game's world.
extern World gameWorld;

// One accepted frame: the updates, the camera, the view, the scene; then the
// plain perspective back and the buffers swapped.
void runFrame(float frameSeconds);

// The program (standing for WinMain): 0 after quitting, -1 when start-up fails.
int runGame();

// What the program does after runGame returned, game.ini last.
void finishProgram();
