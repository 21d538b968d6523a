#include "app/game_session.h"

#include "audio/sound_mixer.h"
#include "game/world_setup.h"
#include "game/world_update.h"
#include "render/world_drawing.h"

#include <cstring>

void setUpGameView(World& world, const float clearColour[4]) {
    initCamera(world.camera);
    std::memcpy(world.clearColour, clearColour, sizeof world.clearColour);
    std::memcpy(world.fadeColour, clearColour, sizeof world.fadeColour);
}

bool setUpGameWorld(World& world, const GameStart& start) {
    gameSrand(world.random, start.seed);
    return setupWorld(world, start.world);
}

float frameSecondsOf(uint32_t milliseconds) { return float(double(milliseconds) * 0.001); }

void runGameFrame(World& world, const FrameInput& frame) {
    updateGameFrame(world, frame);
    drawWorldFrame(world);
}

void updateGameFrame(World& world, const FrameInput& frame) {
    advanceWorld(world, frame.input, frame.seconds, frame.soundsPlaying);
    // Once a frame the mixer takes the new places of the sounds and the listener.
    publishSoundPositions();
}
