#pragma once
#include "game/input_state.h"
#include "game/input_timeline.h"
#include "game/world.h"

#include <cstdint>

// The game's start and its frame, one sequence for whoever drives it: the
// live game, a demo played back in the game, and vexar-tool's replay and
// autopilot. What differs is only where the input, the frame time and the
// sounds' flags come from, and what becomes of the drawn frame.

// The world of the game in its window: played live, or a demo played back.
extern World gameWorld;

// What a game is started with once its window (or a headless context) exists.
struct GameStart {
    uint32_t seed = 0;  // the clock reading the random source is seeded with
    WorldSettings world;
};

// The header a demo of this start is recorded with, and the start a demo's
// header gives back (without music, which the world does not hear).
DemoHeader demoHeaderOf(const GameStart& start);
GameStart gameStartOf(const DemoHeader& header);

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

// A frame's input, whoever runs the frame: the live game, a demo played back,
// vexar-tool's replay and autopilot.
FrameInput frameInputOf(const InputState& input, float seconds, uint32_t soundsPlaying);
// A demo's next frame as a frame's input (its time in player.milliseconds);
// false after its last frame.
struct DemoPlayer;
bool nextDemoFrameInput(DemoPlayer& player, const World& world, FrameInput& frame);

// One accepted frame's update, the mixer told where the sounds are now: all
// a frame does to the world, whether it is drawn or not (drawWorldFrame
// draws it; app/smooth_pictures.h shows the game's).
void updateGameFrame(World& world, const FrameInput& frame);
