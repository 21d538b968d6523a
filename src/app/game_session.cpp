#include "app/game_session.h"

#include "app/game_gl.h"
#include "audio/sound_mixer.h"
#include "game/scene_render.h"
#include "game/world_setup.h"
#include "game/world_update.h"
#include "model/texture_cache.h"

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

void setUpGameContext(const float clearColour[4], const WorldSettings& settings) {
    setUpGameGl(clearColour, settings.width, settings.height);
    resetTextureCache(settings.highQualityTextures);
}

void prepareGameDrawing(const World& world) { prepareSceneDrawing(world); }

void releaseGameDrawing() {
    releaseSceneDrawing();
    releaseTextureCache();
}

float frameSecondsOf(uint32_t milliseconds) { return float(double(milliseconds) * 0.001); }

void runGameFrame(World& world, const FrameInput& frame) {
    updateGameFrame(world, frame);
    drawFrame(world);
}

void updateGameFrame(World& world, const FrameInput& frame) {
    advanceWorld(world, frame.input, frame.seconds, frame.soundsPlaying);
    // Once a frame the mixer takes the new places of the sounds and the listener.
    publishSoundPositions();
}
