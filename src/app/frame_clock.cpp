#include "app/frame_clock.h"

#include "app/input.h"
#include "game/scene_render.h"
#include "platform/clock.h"

FrameClock frameClock;
bool running = false;

void startFrameClock() { frameClock.lastTime = millisecondClock(); }

float beginFrame() {
    if (!running) return 0.0f;
    uint32_t now = millisecondClock();
    uint32_t elapsed = now - frameClock.lastTime;  // modulo 2^32
    if (elapsed < kFrameIntervalMs) return 0.0f;
    frameClock.lastTime = now;
    if (inputState.keys[kKeyP]) {
        inputState.keys[kKeyP] = 0;
        frameClock.paused = !frameClock.paused;
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
