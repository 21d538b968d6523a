#include "platform/page_requests.h"

#include "platform/events.h"

#include <SDL.h>
#include <emscripten.h>

// The page's script calls these (Module._vexarPage...) from its own event
// handlers, which may run while the game sleeps between frames: they only
// note the request or queue an event, and the game takes it up from there.

namespace {

std::string demoGiven;

void pushKey(SDL_Keycode key, uint32_t type) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&event);
}

}  // namespace

// A demo to play: whatever runs (the launcher, a game) is ended as by the
// window's close, and the demo plays next.
extern "C" EMSCRIPTEN_KEEPALIVE void vexarPagePlayDemo(const char* path) {
    demoGiven = path;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

// The page's picture button is the F12 key.
extern "C" EMSCRIPTEN_KEEPALIVE void vexarPageScreenshot() {
    pushKey(SDLK_F12, SDL_KEYDOWN);
    pushKey(SDLK_F12, SDL_KEYUP);
}

// The tab was hidden: the game pauses if it is not paused already.
extern "C" EMSCRIPTEN_KEEPALIVE void vexarPageHidden() {
    SDL_Event hidden{};
    hidden.type = SDL_USEREVENT;
    hidden.user.code = kPageHiddenEventCode;
    SDL_PushEvent(&hidden);
}

std::string takePageDemo() {
    std::string path;
    path.swap(demoGiven);
    return path;
}

EM_JS(int, pageRecordSwitch, (), {
    return typeof Module.vexarRecords === "function" && Module.vexarRecords() ? 1 : 0;
});

bool pageRecords() { return pageRecordSwitch() != 0; }
