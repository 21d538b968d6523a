#include "app/smooth_pictures.h"

#include "app/frame_clock.h"
#include "app/game_session.h"
#include "app/game_window.h"
#include "app/screenshot.h"
#include "app/settings.h"
#include "app/shown_frame.h"
#include "game/drawn_view.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/window.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kUnknownRefreshRate = 60;

struct Pictures {
    World* world = nullptr;
    bool smooth = false;
    bool swapsWait = false;    // the swap waits for the display's refresh
    double interval = 1000.0 / kUnknownRefreshRate;  // ms between refreshes
    uint32_t start = 0;        // the clock when the pictures began
    double due = 0.0;          // when the next picture is due, ms after start
    bool frameBegun = false;   // a picture of the latest frame has begun it
    float shownFraction = 0.0f;  // the last picture's f since the latest frame
    DrawnState before;
    DrawnView view;
};

Pictures pictures;

double sinceStart() { return double(uint32_t(millisecondClock() - pictures.start)); }

void showPicture() {
    takeAskedScreenshot(gameSettings.width, gameSettings.height, false);
    swapGameBuffers();
}

// The next picture: a refresh after the last one was due (a little early
// where the swap waits, so that it catches the next refresh, though never
// more than a refresh earlier than the one before); after falling behind by
// more than a refresh, a refresh from now.
void scheduleNextPicture(double drawnAt) {
    Pictures& p = pictures;
    if (p.swapsWait) {
        p.due = std::max(sinceStart() + p.interval * 0.5, p.due + p.interval * 0.9);
        return;
    }
    p.due += p.interval;
    if (p.due < drawnAt) p.due = drawnAt + p.interval;
}

// A P press waits for the next frame to pause; the picture freezes at the
// press, so that the paused picture is the one on the screen when P came
// (and a screenshot asked for just before it is that picture too).
bool frozen() { return frameClock.paused || frameClock.pausePressed; }

}  // namespace

float pictureFraction(uint32_t sinceFrame, uint32_t frameLength, float shownBefore) {
    float f = frameLength == 0 ? 1.0f : float(double(sinceFrame) / double(frameLength));
    return std::min(1.0f, std::max(f, shownBefore));
}

void startPictures(World& world, bool smooth) {
    pictures.world = &world;
    pictures.smooth = smooth;
    pictures.before = DrawnState{};
    if (!smooth) return;
    pictures.swapsWait = syncSwapsToDisplay();
    const int rate = displayRefreshRate();
    pictures.interval = 1000.0 / (rate > 0 ? rate : kUnknownRefreshRate);
    pictures.start = millisecondClock();
    pictures.due = 0.0;
    showViewOf(&pictures.view);
}

void stopPictures() {
    showViewOf(nullptr);
    pictures.world = nullptr;
}

void runShownFrame(World& world, const FrameInput& frame) {
    if (!pictures.smooth) {
        updateGameFrame(world, frame);
        drawShownFrame(world, false);
        showPicture();
        return;
    }
    keepDrawnState(world, pictures.before);
    updateGameFrame(world, frame);
    pictures.frameBegun = false;
    pictures.shownFraction = 0.0f;
}

void showPictureIfDue() {
    Pictures& p = pictures;
    if (!p.smooth || !p.world || !p.before.kept || frozen()) return;
    const double now = sinceStart();
    if (now < p.due) return;
    scheduleNextPicture(now);
    // A picture at the latest frame itself is already on the screen.
    if (p.shownFraction >= 1.0f) return;
    const uint32_t since = millisecondClock() - frameClock.lastTime;
    p.shownFraction = pictureFraction(since, frameClock.interval, p.shownFraction);
    placeBetween(p.before, *p.world, p.shownFraction, p.view);
    // Every picture of a frame begins as its first did: the star field takes
    // its light from what the drawing before that first picture left.
    drawShownFrame(*p.world, p.frameBegun);
    p.frameBegun = true;
    showPicture();
}

int millisecondsToNextPass(bool polling) {
    const int frame = millisecondsToSleep(polling);
    if (!pictures.smooth || frozen() || pictures.shownFraction >= 1.0f) return frame;
    const int picture = std::max(0, int(std::ceil(pictures.due - sinceStart())));
    return frame == kWaitForever ? picture : std::min(frame, picture);
}
