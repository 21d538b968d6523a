#include "app/program.h"

#include "app/demo_playback.h"
#include "app/demo_recording.h"
#include "app/frame_clock.h"
#include "app/game_session.h"
#include "app/game_start.h"
#include "app/game_window.h"
#include "app/input.h"
#include "app/joystick.h"
#include "app/launcher.h"
#include "app/screenshot.h"
#include "app/settings.h"
#include "app/shown_frame.h"
#include "app/smooth_pictures.h"
#include "audio/music_player.h"
#include "audio/sound_mixer.h"
#include "game/world_setup.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "render/renderer.h"
#include "render/world_drawing.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: vexar                  play\n"
    "       vexar --record FILE    play, and record the game as a demo in FILE\n"
    "       vexar --play FILE      watch a recorded demo\n"
    "       vexar --version        print the version\n";

// The seed is taken from the clock first thing, as the game always did.
GameStart gameStart;
DemoRecording recording;
bool recordingOn = false;

void runFrameLoop() {
    while (pumpMessages()) {
        const uint32_t milliseconds = takeFrameTime();
        if (milliseconds == 0) {
            if (frameClock.paused) {
                // Nothing is drawn: a screenshot is of the frame on the screen,
                // and the demo gets all it has while the game may wait long.
                takeAskedScreenshot(gameSettings.width, gameSettings.height, true);
                if (recordingOn) writeDemoNow(recording);
            }
            showPictureIfDue();
            // Nothing to do until a message comes or the next frame or picture is due.
            waitForMessage(millisecondsToNextPass(joystickState.present));
            continue;
        }
        runFrame(milliseconds);
        showPictureIfDue();
    }
}

}  // namespace

bool parseProgramOptions(int argc, char** argv, ProgramOptions& options) {
    for (int i = 1; i < argc; i += 2) {
        if (std::strcmp(argv[i], "--version") == 0) {
            options.version = true;
            --i;  // it takes no file
            continue;
        }
        const bool record = std::strcmp(argv[i], "--record") == 0;
        const bool play = std::strcmp(argv[i], "--play") == 0;
        if (!record && !play) {
            std::fprintf(stderr, "vexar: unknown option %s\n%s", argv[i], kUsage);
            return false;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            std::fprintf(stderr, "vexar: %s needs a file\n%s", argv[i], kUsage);
            return false;
        }
        (record ? options.record : options.play) = argv[i + 1];
    }
    if (options.record.empty() || options.play.empty()) return true;
    std::fprintf(stderr, "vexar: --record and --play go one at a time\n%s", kUsage);
    return false;
}

void runFrame(uint32_t milliseconds) {
    const FrameInput frame =
        frameInputOf(inputState, frameSecondsOf(milliseconds), playingSoundFlags());
    if (recordingOn) recordFrameStart(recording, gameWorld, milliseconds, frame);
    runShownFrame(gameWorld, frame);
    if (recordingOn) recordFrameEnd(recording, gameWorld);
}

bool initApplication(float red, float green, float blue, float alpha) {
    gameStart.seed = millisecondClock();
    if (!runLauncher(gameSettings, "Vexar")) return false;
    // The song played for the launcher; without Music its synthesiser and
    // SoundFont go now, before the game window and the world take memory.
    if (gameSettings.music == 0) closeMusic();
    if (int64_t(gameSettings.width) * gameSettings.height == 0) gameSettings.useScreenRes = 3;
    const float clearColour[4] = {red, green, blue, alpha};
    if (!openGameWindow(clearColour, true, gameStart.world)) return false;
    if (gameSettings.joystick) initJoystick(joystickState);
    startRunning();
    return true;
}

int runGame(const ProgramOptions& options) {
    if (!options.play.empty()) return playDemoInGame(options.play);
    // Without a display nothing can be shown: say so before the song starts
    // and the sound system probes its devices and fills the terminal.
    if (!startWindowSystem()) return -1;
    if (!options.record.empty() && !openDemoRecording(recording, options.record)) return 1;
    openMusicDevice();
    playMusic();
    if (!initApplication(0.0f, 0.0f, 0.0f, 0.0f)) {
        abandonDemoRecording(recording);
        return -1;
    }
    recordingOn = !options.record.empty();
    if (recordingOn) beginDemoRecording(recording, gameStart);
    if (!setUpGameWorld(gameWorld, gameStart)) return -1;
    prepareWorldDrawing(gameWorld);
    showFramesOf(gameWorld, nullptr);
    startPictures(gameWorld, gameSettings.smoothMotion != 0);
    runFrameLoop();
    stopPictures();
    if (recordingOn) endDemoRecording(recording, gameWorld);
    return 0;
}

void finishProgram() {
    releaseRenderer();
    releaseWorld(gameWorld);
    if (soundMixer.isOpen) closeSoundOutput();
    closeMusic();
    releaseJoystick(joystickState);
    stopWindowSystem();
    saveSettingsIfAccepted(gameSettings);
}
