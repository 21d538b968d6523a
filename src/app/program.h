#pragma once

// The start-up sequence: settings, window, fixed GL state, light, camera,
// texture cache, joystick. The projection stays the current matrix mode.
bool initApplication(float red, float green, float blue, float alpha);

// The frame loop, run until the quit key.
void runFrameLoop();

// The program (standing for WinMain): 0 after quitting, -1 when start-up fails.
int runGame();

// What the program does after runGame returned, game.ini last.
void finishProgram();
