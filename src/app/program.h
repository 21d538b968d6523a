#pragma once
#include "app/game_session.h"

#include <cstdint>
#include <string>

// What the command line asks for: nothing for a game as it always was, a
// file to record the game into, or a demo to play.
struct ProgramOptions {
    std::string record;  // --record FILE
    std::string play;    // --play FILE
    bool version = false;  // --version: print it and end
};

// False, with the usage on standard error after a line naming what was
// wrong, for anything else.
bool parseProgramOptions(int argc, char** argv, ProgramOptions& options);

// The start-up sequence: settings, window, fixed GL state, light, camera,
// texture cache, joystick. The projection stays the current matrix mode.
bool initApplication(float red, float green, float blue, float alpha);

// One accepted frame of the live game, `milliseconds` long: the input, the
// time and the sounds' flags as they are now, recorded when a demo is being
// made; the frame run, then shown.
void runFrame(uint32_t milliseconds);

// The program (standing for WinMain): 0 after quitting, -1 when start-up
// fails; for a demo played, 2 when it departs from its recording and 1 when
// it cannot be played.
int runGame(const ProgramOptions& options);

// What the program does after runGame returned, game.ini last.
void finishProgram();
