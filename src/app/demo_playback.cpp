#include "app/demo_playback.h"

#include "app/frame_clock.h"
#include "app/game_session.h"
#include "app/game_start.h"
#include "app/game_window.h"
#include "app/input.h"
#include "app/screenshot.h"
#include "app/settings.h"
#include "app/shown_frame.h"
#include "app/smooth_pictures.h"
#include "audio/music_player.h"
#include "game/demo.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/whole_file.h"
#include "platform/window.h"
#include "render/renderer.h"
#include "render/world_drawing.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t kFinalPictureMs = 2000;
// The "DEMO" box in the lower-right corner, like the score box in the other.
constexpr int kBadgeWidth = 64, kBadgeHeight = 24;

void takeDemoSettings(const WorldSettings& world) {
    // The player's own volumes stay; the rest is the recording's, in a window
    // that leaves the pointer free. Nothing is written back to game.ini.
    loadSettings(gameSettings);
    gameSettings.accepted = false;
    gameSettings.windowed = 1;
    gameSettings.lights = world.stereo;
    gameSettings.useHiQualTex = world.highQualityTextures;
    gameSettings.width = world.width;
    gameSettings.height = world.height;
    gameSettings.useScreenRes = 0;
    gameSettings.music = 1;
    gameSettings.joystick = 0;
}

void makeBadge(TextOverlay& badge) {
    const int w = gameSettings.width, h = gameSettings.height;
    createTextOverlay(badge, w - kBadgeWidth, h - kBadgeHeight, w, h, w, h, false);
    drawText(badge, "DEMO", {0, 0, kBadgeWidth, kBadgeHeight}, 0);
}

// The last picture stays on the screen (the messages still answer: Q ends it
// sooner, F12 takes it).
void holdFinalPicture() {
    const uint32_t start = millisecondClock();
    while (pumpMessages()) {
        // The pictures go on to the last frame's own.
        showPictureIfDue();
        takeAskedScreenshot(gameSettings.width, gameSettings.height, true);
        const uint32_t shown = millisecondClock() - start;
        if (shown >= kFinalPictureMs) break;
        // No frame comes any more, so only a picture still to show cuts the
        // wait short (the frame clock would call every pass due, and spin).
        const int left = int(kFinalPictureMs - shown), picture = millisecondsToNextPicture();
        waitForMessage(picture == kWaitForever ? left : std::min(left, picture));
    }
}

// The frames, each when its recorded time has passed since the one before.
void playFrames(DemoPlayer& player) {
    FrameInput frame;
    bool more = nextDemoFrameInput(player, gameWorld, frame);
    while (more && pumpMessages()) {
        if (!takeRecordedFrame(player.milliseconds)) {
            if (frameClock.paused) takeAskedScreenshot(gameSettings.width, gameSettings.height, true);
            showPictureIfDue();
            waitForMessage(millisecondsToNextPass(false));
            continue;
        }
        runShownFrame(gameWorld, frame);
        if (checkDemoFrame(player, gameWorld))
            std::fprintf(stderr, "vexar: %s\n", demoDepartureText(player.departedAt).c_str());
        more = nextDemoFrameInput(player, gameWorld, frame);
        showPictureIfDue();
    }
    if (!more && running) holdFinalPicture();
}

}  // namespace

std::string demoFileProblem(const std::string& path, InputTimeline& timeline) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return "cannot read the demo " + path;
    std::string error;
    if (!parseDemo(std::string(bytes.begin(), bytes.end()), timeline, error))
        return path + ": " + error;
    return "";
}

bool loadDemoFile(const std::string& path, InputTimeline& timeline, const char* program) {
    const std::string problem = demoFileProblem(path, timeline);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", program, problem.c_str());
        return false;
    }
    const std::string note = demoCutOffNote(timeline);
    if (!note.empty()) std::fprintf(stderr, "%s: %s: %s\n", program, path.c_str(), note.c_str());
    return true;
}

int playDemoInGame(const std::string& path) {
    DemoPlayer player;
    {
        InputTimeline timeline;
        if (!loadDemoFile(path, timeline, "vexar")) return 1;
        startDemoPlayback(player, std::move(timeline));
    }
    if (!startWindowSystem()) return -1;
    openMusicDevice();
    playMusic();
    GameStart start = gameStartOf(player.timeline.header);
    takeDemoSettings(start.world);
    // The window leaves the pointer free, and the world comes out as
    // recorded, with music.
    const float black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (!openGameWindow(black, false, start.world)) return -1;
    startRunning();
    if (!setUpGameWorld(gameWorld, start)) return -1;
    prepareWorldDrawing(gameWorld);
    TextOverlay badge;
    makeBadge(badge);
    showFramesOf(gameWorld, &badge);
    startPictures(gameWorld, gameSettings.smoothMotion != 0);
    playFrames(player);
    stopPictures();
    showFramesOf(gameWorld, nullptr);
    releaseTextOverlay(badge);
    if (running) destroyGameContext();
    running = false;
    return player.departedAt != 0 ? 2 : 0;
}
