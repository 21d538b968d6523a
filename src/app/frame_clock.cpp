#include "app/frame_clock.h"

#include "app/game_window.h"
#include "app/input.h"
#include "game/scene_render.h"
#include "platform/clock.h"
#include "platform/events.h"

FrameClock frameClock;
bool running = false;

void startFrameClock() { frameClock.lastTime = millisecondClock(); }

void noticeKeyDown(uint32_t code) {
    if (code == kKeyP) frameClock.pausePressed = true;
}

float beginFrame() {
    if (!running) return 0.0f;
    uint32_t now = millisecondClock();
    uint32_t elapsed = now - frameClock.lastTime;  // modulo 2^32
    if (elapsed < kFrameIntervalMs) return 0.0f;
    frameClock.lastTime = now;
    if (frameClock.pausePressed) {
        frameClock.pausePressed = false;
        inputState.keys[kKeyP] = 0;
        frameClock.paused = !frameClock.paused;
        // Nothing is drawn while paused: the title is what shows it.
        showPausedInTitle(frameClock.paused);
    }
    // lastTime moved all the same, so no time piles up during a pause.
    if (frameClock.paused) return 0.0f;
    clearFrameAndSaveProjection();
    return float(double(elapsed) * 0.001);
}

int millisecondsUntilNextFrame() {
    uint32_t elapsed = millisecondClock() - frameClock.lastTime;
    return elapsed < kFrameIntervalMs ? int(kFrameIntervalMs - elapsed) : 0;
}

int millisecondsToSleep(bool polling) {
    if (frameClock.paused && !frameClock.pausePressed && !polling) return kWaitForever;
    return millisecondsUntilNextFrame();
}
