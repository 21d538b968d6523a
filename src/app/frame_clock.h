#pragma once
#include <cstdint>

// Frames are at least this far apart.
constexpr uint32_t kFrameIntervalMs = 30;

struct FrameClock {
    // The clock reading (milliseconds) at which the last frame was accepted.
    // Kept as the clock's own 32-bit count: differences taken modulo 2^32 stay
    // right across the clock's wrap and never lose precision to a float.
    uint32_t lastTime = 0;
    bool paused = false;  // toggled by the P key
    // P came down since the last accepted frame. Kept apart from the key's
    // state, so that a tap released before the next frame still counts.
    bool pausePressed = false;
    uint32_t interval = kFrameIntervalMs;  // the next frame is due this long after the last
};

extern FrameClock frameClock;
// True from a successful start-up until the quit key.
extern bool running;

// Starts counting from now.
void startFrameClock();

// Every key-down message passes here; the pause key's is kept for the next
// accepted frame. While paused it also restarts the count to that frame from
// now, so the first frame after a pause of any length is a frame interval.
void noticeKeyDown(uint32_t code);

// The milliseconds since the last accepted frame, or 0 when no frame is to
// run now (not running, under 30 ms, or paused). An accepted frame first
// toggles the pause if P came down since the last one, and says so in the
// window's title.
uint32_t takeFrameTime();

// For a demo played at its recorded pace: true when `milliseconds` have
// passed since the last frame it accepted and the game is not paused. The
// schedule is kept (a late frame makes the next one sooner), unless playback
// has fallen more than a second behind, when it starts afresh from now.
bool takeRecordedFrame(uint32_t milliseconds);

// How long until takeFrameTime will next accept a frame; 0 when it would now.
int millisecondsUntilNextFrame();

// How long the loop may sleep before its next pass. Until the next frame is
// due, as a rule. While paused no frame will do anything, so it sleeps until
// the next message, unless a P press is waiting for a due frame to see it or
// a device must be polled.
int millisecondsToSleep(bool polling);
