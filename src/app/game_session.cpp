#include "app/game_session.h"

#include "app/game_gl.h"
#include "audio/sound_mixer.h"
#include "game/scene_render.h"
#include "game/world_setup.h"
#include "game/world_update.h"
#include "model/texture_cache.h"

void setUpGameView(World& world, const float clearColour[4], const WorldSettings& settings) {
    setUpGameGl(clearColour, settings.width, settings.height);
    initCamera(world.camera);
    resetTextureCache(settings.highQualityTextures);
}

bool setUpGameWorld(World& world, const GameStart& start) {
    gameSrand(world.random, start.seed);
    return setupWorld(world, start.world);
}

float frameSecondsOf(uint32_t milliseconds) { return float(double(milliseconds) * 0.001); }

void runGameFrame(World& world, const FrameInput& frame, bool draw) {
    updateGameFrame(world, frame);
    drawGameFrame(world, draw);
}

void updateGameFrame(World& world, const FrameInput& frame) {
    advanceWorld(world, frame.input, frame.seconds, frame.soundsPlaying);
    // Once a frame the mixer takes the new places of the sounds and the listener.
    publishSoundPositions();
}

void drawGameFrame(World& world, bool draw) {
    if (!draw) {
        advanceScenePasses(world);
        return;
    }
    clearFrameAndSaveProjection();
    drawFrame(world);
}
