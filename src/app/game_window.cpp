#include "app/game_window.h"

#include "app/settings.h"
#include "app/shown_frame.h"
#include "platform/error_box.h"
#include "platform/window.h"
#include "render/renderer.h"

#include <cstdio>

namespace {

const char kTitle[] = "Vexar";
const char kPausedTitle[] = "Vexar (paused)";

// The start-up ends here, so the player is told the way out.
void reportFullScreenRefused(int width, int height) {
    char text[kErrorTextSize];
    std::snprintf(text, sizeof text,
                  "Full screen at %dx%d is a size this display cannot show. "
                  "Check Windowed, or choose another size, in the launcher.",
                  width, height);
    reportFatalError(text);
}

}  // namespace

void registerGameWindowClass() { startWindowSystem(); }

bool createGameWindow(bool holdPointer) {
    GameSettings& settings = gameSettings;
    if (settings.useScreenRes == 3) desktopSize(settings.width, settings.height);
    WindowRequest request;
    request.title = kTitle;
    request.width = settings.width;
    request.height = settings.height;
    request.fullScreen = settings.windowed == 0;
    request.holdPointer = holdPointer;
    if (request.fullScreen && !displayHasMode(request.width, request.height)) {
        reportFullScreenRefused(request.width, request.height);
        return false;
    }
    return openWindow(request);
}

// What the renderer made goes while its context is still current: the page's
// WebGL refuses calls without one, and a desktop driver would only ignore them.
void destroyGameContext() {
    releaseRenderer();
    closeWindowContext();
}

void swapGameBuffers() {
    swapWindowBuffers();
    markFrameShown();
}

void showPaused(bool paused) {
    setWindowTitle(paused ? kPausedTitle : kTitle);
    // Full screen has no title to show it: the frozen picture is drawn once
    // more with the word on it, and nothing after that.
    if (paused && windowIsFullScreen())
        showShownFrameAgain(true, gameSettings.width, gameSettings.height);
}

void toggleGameFullScreen(bool paused) {
    // While paused nothing is drawn, so the picture lost in the switch comes
    // back, drawn again (with the word, in full screen).
    if (toggleFullScreen() && paused)
        showShownFrameAgain(windowIsFullScreen(), gameSettings.width, gameSettings.height);
}
