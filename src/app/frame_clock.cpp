#include "app/frame_clock.h"

#include "app/game_window.h"
#include "game/input_state.h"
#include "platform/clock.h"
#include "platform/events.h"

FrameClock frameClock;
bool running = false;

void startFrameClock() { frameClock.lastTime = millisecondClock(); }

namespace {

void togglePauseOnKey() {
    if (frameClock.pausePressed) {
        frameClock.pausePressed = false;
        frameClock.paused = !frameClock.paused;
        // Nothing is drawn while paused: the title (or in full screen the
        // word on the frozen picture) is what shows it.
        showPaused(frameClock.paused);
    }
}

constexpr uint32_t kFallenBehindMs = 1000;

}  // namespace

void noticeKeyDown(uint32_t code) {
    if (code != kKeyP) return;
    frameClock.pausePressed = true;
    // While paused the loop sleeps without reading the clock, so the last
    // frame's time may be an hour old: the resume counts from its own key,
    // and the first frame after it is one frame interval, not the pause.
    if (frameClock.paused) frameClock.lastTime = millisecondClock();
}

uint32_t takeFrameTime() {
    if (!running) return 0;
    uint32_t now = millisecondClock();
    uint32_t elapsed = now - frameClock.lastTime;  // modulo 2^32
    if (elapsed < kFrameIntervalMs) return 0;
    frameClock.lastTime = now;
    togglePauseOnKey();
    // lastTime moved all the same, so no time piles up during a pause.
    return frameClock.paused ? 0 : elapsed;
}

bool takeRecordedFrame(uint32_t milliseconds) {
    frameClock.interval = milliseconds;
    if (!running) return false;
    const uint32_t now = millisecondClock();
    const uint32_t elapsed = now - frameClock.lastTime;
    if (elapsed < milliseconds) return false;
    const bool behind = elapsed - milliseconds > kFallenBehindMs;
    frameClock.lastTime = behind || frameClock.paused ? now : frameClock.lastTime + milliseconds;
    togglePauseOnKey();
    return !frameClock.paused;
}

int millisecondsUntilNextFrame() {
    uint32_t elapsed = millisecondClock() - frameClock.lastTime;
    return elapsed < frameClock.interval ? int(frameClock.interval - elapsed) : 0;
}

int millisecondsToSleep(bool polling) {
    if (frameClock.paused && !frameClock.pausePressed && !polling) return kWaitForever;
    return millisecondsUntilNextFrame();
}
