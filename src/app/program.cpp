#include "app/program.h"

#include "app/frame_clock.h"
#include "app/frame_time.h"
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
#include "platform/random.h"
#include "platform/window.h"

#include <cstdint>

namespace {

void setFixedGlState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    lightCount = 1;
    glDisable(GL_LIGHT1);
}

void runFrameLoop() {
    while (pumpMessages()) {
        frameSeconds = beginFrame();
        if (frameSeconds == 0.0f) {
            // Nothing to do until a message comes or the next frame is due.
            waitForMessage(millisecondsToSleep(joystickState.present));
            continue;
        }
        runFrame();
    }
}

void releaseWorldGl() {
    if (starList != 0) glDeleteLists(starList, 1);
    if (screenTexture != 0) glDeleteTextures(1, &screenTexture);
    glGetError();
}

}  // namespace

void runFrame() {
    gameSeconds += frameSeconds;
    updatePlayer();
    updateWorld();
    updateCamera(playerMatrix());
    applyView();
    renderScene();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    swapGameBuffers();
}

bool initApplication(float red, float green, float blue, float alpha) {
    gameSrand(millisecondClock());
    if (!runLauncher(gameSettings, "Vexar")) return false;
    if (int64_t(gameSettings.width) * gameSettings.height == 0) gameSettings.useScreenRes = 3;
    registerGameWindowClass();
    if (!createGameWindow()) {
        running = false;
        return false;
    }
    glClearColor(red, green, blue, alpha);
    glViewport(0, 0, gameSettings.width, gameSettings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setPerspective(float(gameSettings.width) / float(gameSettings.height));
    setFixedGlState();
    setupLightAndMaterial();
    initCamera();
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
    if (!setupWorld()) return -1;
    runFrameLoop();
    releaseWorldGl();
    return 0;
}

void finishProgram() {
    if (soundMixer.isOpen) closeSoundOutput();
    closeMusic();
    releaseJoystick(joystickState);
    releaseTextureCache();
    stopWindowSystem();
    saveSettingsIfAccepted(gameSettings);
}
