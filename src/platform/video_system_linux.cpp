#include "platform/video_system.h"

#include "platform/offscreen_gl.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool prepareVideoDriver(bool driverChosen) {
    if (driverChosen) return true;
    // SDL would fall back to drawing into nothing when there is no display,
    // and the player would wait for a window that never comes.
    if (!environmentSet("DISPLAY") && !environmentSet("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "vexar: no display to open the game window on "
                             "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
        return false;
    }
    // Only X when there is no Wayland session, so that a dead X display gives
    // one clear line rather than the noise of every other driver's probe.
    if (!environmentSet("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    return true;
}

std::string displayName() {
    const char* display = std::getenv("DISPLAY");
    return std::string("display ") + (display ? display : "");
}

// SDL's offscreen driver draws with EGL into memory, no X server needed. A
// hint never overrides the environment variable of the same name.
void preferHeadlessVideo() { SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen"); }

bool windowsOutliveTheirUse() { return true; }
