#include "app/game_start.h"

#include "app/frame_clock.h"
#include "app/game_session.h"
#include "app/game_window.h"
#include "app/settings.h"
#include "audio/sound_mixer.h"
#include "platform/midi_output.h"
#include "render/renderer.h"

namespace {

WorldSettings worldSettingsOf(const GameSettings& settings) {
    WorldSettings world;
    world.music = settings.music != 0;
    world.stereo = settings.lights != 0;
    world.highQualityTextures = settings.useHiQualTex != 0;
    world.width = settings.width;
    world.height = settings.height;
    return world;
}

}  // namespace

bool openGameWindow(const float clearColour[4], bool holdPointer, WorldSettings& world) {
    setSoundVolume(gameSettings.soundVolume);
    setMidiOutputVolume(float(gameSettings.musicVolume) * 0.01f);
    registerGameWindowClass();
    if (!createGameWindow(holdPointer)) {
        running = false;
        return false;
    }
    world = worldSettingsOf(gameSettings);
    setUpGameView(gameWorld, clearColour);
    if (setUpRenderer(clearColour, world)) return true;
    destroyGameContext();
    running = false;
    return false;
}

void startRunning() {
    running = true;
    startFrameClock();
}
