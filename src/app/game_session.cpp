#include "app/game_session.h"

#include "audio/sound_mixer.h"
#include "game/demo.h"
#include "game/world_setup.h"
#include "game/world_update.h"

#include <cstring>

World gameWorld;

DemoHeader demoHeaderOf(const GameStart& start) {
    DemoHeader header;
    header.version = kDemoFormatVersion;
    header.game = VEXAR_VERSION;
    header.hasSeed = true;
    header.seed = start.seed;
    header.stereo = start.world.stereo;
    header.highQuality = start.world.highQualityTextures;
    header.width = start.world.width;
    header.height = start.world.height;
    return header;
}

GameStart gameStartOf(const DemoHeader& header) {
    GameStart start;
    start.seed = header.seed;
    start.world.stereo = header.stereo;
    start.world.highQualityTextures = header.highQuality;
    start.world.width = header.width;
    start.world.height = header.height;
    return start;
}

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

FrameInput frameInputOf(const InputState& input, float seconds, uint32_t soundsPlaying) {
    FrameInput frame;
    frame.input = input;
    frame.seconds = seconds;
    frame.soundsPlaying = soundsPlaying;
    return frame;
}

bool nextDemoFrameInput(DemoPlayer& player, const World& world, FrameInput& frame) {
    uint32_t milliseconds = 0, sounds = 0;
    if (!nextDemoFrame(player, world, milliseconds, sounds)) return false;
    frame = frameInputOf(player.input, frameSecondsOf(milliseconds), sounds);
    return true;
}

void updateGameFrame(World& world, const FrameInput& frame) {
    advanceWorld(world, frame.input, frame.seconds, frame.soundsPlaying);
    // Once a frame the mixer takes the new places of the sounds and the listener.
    publishSoundPositions(soundPositionsOf(world));
}
