#include "platform/events.h"

#include "platform/clock.h"

#include <SDL.h>
#include <emscripten.h>

#include <algorithm>

namespace {

// The page's events reach SDL's queue while the program sleeps; a look this
// often keeps a key press within a few milliseconds of a native one.
constexpr int kLookEveryMs = 8;

// A hidden tab runs no animation frames; its throttled timer still lets the
// game see the hidden tab's pause and the song's timer go on. The pictures
// shown are counted in Module.vexarFramesShown, the game's own rhythm for
// whatever watches the page (its tests, its benchmark).
EM_ASYNC_JS(void, waitForAnimationFrame, (), {
    Module.vexarFramesShown = (Module.vexarFramesShown || 0) + 1;
    await new Promise(done => {
        if (typeof requestAnimationFrame === "function") requestAnimationFrame(() => done());
        setTimeout(done, 50);
    });
});

}  // namespace

void yieldAfterFrame() { waitForAnimationFrame(); }

// The page is given back to the browser while waiting (Asyncify), in naps
// between looks at the queue. SDL's own wait would nap a millisecond at a
// time, waking the page hundreds of times a second.
void waitForMessage(int timeoutMs) {
    const uint32_t started = millisecondClock();
    while (!SDL_PollEvent(nullptr)) {
        const int waited = int(millisecondClock() - started);
        if (timeoutMs >= 0 && waited >= timeoutMs) return;
        emscripten_sleep(timeoutMs < 0 ? kLookEveryMs : std::min(kLookEveryMs, timeoutMs - waited));
    }
}
