#pragma once
#include "game/input_state.h"
#include "game/world.h"

#include <cstdint>

// The game's start and its frame, one sequence for whoever drives it: the
// live game, a demo played back in the game, and vexar-tool's replay and
// autopilot. What differs is only where the input, the frame time and the
// sounds' flags come from, and what becomes of the drawn frame.

// What a game is started with once its window (or a headless context) exists.
struct GameStart {
    uint32_t seed = 0;  // the clock reading the random source is seeded with
    WorldSettings world;
};

// The start-up view and the colour the background starts in.
void setUpGameView(World& world, const float clearColour[4]);
// The random source seeded and the world built (models, sounds, placements);
// no OpenGL needed.
bool setUpGameWorld(World& world, const GameStart& start);
// The renderer (render/renderer.h) is set up once the context exists, and
// prepares the world once it is built (render/world_drawing.h); a game that
// draws nothing needs neither.

// One accepted frame's input.
struct FrameInput {
    InputState input;
    float seconds = 0.0f;
    uint32_t soundsPlaying = 0;  // the sounds' playing flags taken at its start
};

// The frame time of a clock count in milliseconds: the same float everywhere.
float frameSecondsOf(uint32_t milliseconds);

// One accepted frame: the world's update, the mixer told where the sounds are
// now, and the frame drawn. Showing the picture is the caller's.
void runGameFrame(World& world, const FrameInput& frame);
// The update alone: all a frame does to the world, whether it is drawn or not
// (drawWorldFrame draws it).
void updateGameFrame(World& world, const FrameInput& frame);
