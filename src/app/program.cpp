#include "app/program.h"

#include "app/frame_clock.h"
#include "app/game_gl.h"
#include "app/game_window.h"
#include "app/input.h"
#include "app/joystick.h"
#include "app/launcher.h"
#include "app/settings.h"
#include "audio/music_player.h"
#include "audio/sound_mixer.h"
#include "game/scene_render.h"
#include "game/world_setup.h"
#include "game/world_update.h"
#include "math/camera.h"
#include "model/texture_cache.h"
#include "platform/clock.h"
#include "platform/gl.h"
#include "platform/window.h"

#include <cstdint>

namespace {

void runFrameLoop() {
    while (pumpMessages()) {
        const float frameSeconds = beginFrame();
        if (frameSeconds == 0.0f) {
            // Nothing to do until a message comes or the next frame is due.
            waitForMessage(millisecondsUntilNextFrame());
            continue;
        }
        runFrame(frameSeconds);
    }
}

void releaseWorldGl() {
    GameState& state = gameWorld.state;
    if (state.starList != 0) glDeleteLists(state.starList, 1);
    if (state.screenTexture != 0) glDeleteTextures(1, &state.screenTexture);
    glGetError();
}

WorldSettings worldSettings(const GameSettings& settings) {
    WorldSettings world;
    world.music = settings.music != 0;
    world.stereo = settings.lights != 0;
    world.highQualityTextures = settings.useHiQualTex != 0;
    world.width = settings.width;
    world.height = settings.height;
    return world;
}

}  // namespace

World gameWorld;

void runFrame(float frameSeconds) {
    advanceWorld(gameWorld, inputState, frameSeconds);
    // Once a frame the mixer takes the new places of the sounds and the listener.
    publishSoundPositions();
    drawFrame(gameWorld);
    swapGameBuffers();
}

bool initApplication(float red, float green, float blue, float alpha) {
    gameSrand(gameWorld.random, millisecondClock());
    if (!runLauncher(gameSettings, "Vexar")) return false;
    if (int64_t(gameSettings.width) * gameSettings.height == 0) gameSettings.useScreenRes = 3;
    registerGameWindowClass();
    if (!createGameWindow()) {
        running = false;
        return false;
    }
    const float clearColour[4] = {red, green, blue, alpha};
    setUpGameGl(clearColour, gameSettings.width, gameSettings.height);
    initCamera(gameWorld.camera);
    resetTextureCache(gameSettings.useHiQualTex != 0);
    if (gameSettings.joystick) initJoystick(joystickState);
    running = true;
    startFrameClock();
    return true;
}

int runGame() {
    // Without a display nothing can be shown: say so before the song starts
    // and the sound system probes its devices and fills the terminal.
    if (!startWindowSystem()) return -1;
    openMusicDevice();
    playMusic();
    if (!initApplication(0.0f, 0.0f, 0.0f, 0.0f)) return -1;
    if (!setupWorld(gameWorld, worldSettings(gameSettings))) return -1;
    runFrameLoop();
    releaseWorldGl();
    return 0;
}

void finishProgram() {
    releaseWorld(gameWorld);
    if (soundMixer.isOpen) closeSoundOutput();
    closeMusic();
    releaseTextureCache();
    stopWindowSystem();
    saveSettingsIfAccepted(gameSettings);
}
