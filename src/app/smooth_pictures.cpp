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
#include "platform/memory_use.h"
#include "platform/window.h"
#include "render/renderer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kUnknownRefreshRate = 60;
// How many of the last pictures' drawing times the lead is taken from.
constexpr int kDrawTimesKept = 16;

struct Pictures {
    World* world = nullptr;
    bool smooth = false;
    bool swapsWait = false;    // the swap waits for the display's refresh
    double interval = 1000.0 / kUnknownRefreshRate;  // ms between refreshes
    uint32_t start = 0;        // the clock when the pictures began
    double due = 0.0;          // when the next picture is due, ms after start
    bool frameBegun = false;   // a picture of the latest frame has begun it
    float shownFraction = 0.0f;  // the last picture's f since the latest frame
    // Paced pictures are drawn ahead and shown when due, so that how long
    // the software driver takes over one picture or the next does not move
    // the moment it appears.
    bool drawnAhead = false;   // a picture drawn to the end waits for its time
    int drawTimes[kDrawTimesKept] = {};  // ms from the start of a drawing to its end
    int nextDrawTime = 0;
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

// How long before a paced picture is due its drawing begins: the longest of
// the last drawings, and a millisecond to spare.
double drawingLead() {
    const Pictures& p = pictures;
    if (p.swapsWait) return 0.0;
    return 1.0 + *std::max_element(p.drawTimes, p.drawTimes + kDrawTimesKept);
}

void showDrawnPicture() {
    pictures.drawnAhead = false;
    showPicture();
}

// The picture to be shown at `showAt` (ms after start), placed and drawn.
void drawPicture(double showAt) {
    Pictures& p = pictures;
    const uint32_t since = uint32_t(p.start + uint32_t(showAt)) - frameClock.lastTime;
    p.shownFraction = pictureFraction(since, frameClock.interval, p.shownFraction);
    placeBetween(p.before, *p.world, p.shownFraction, p.view);
    // Every picture of a frame begins as its first did: the star field takes
    // its light from what the drawing before that first picture left.
    drawShownFrame(*p.world, p.frameBegun);
    p.frameBegun = true;
}

// A paced picture drawn to the end, so that showing it is only the swap, and
// how long that took kept for the lead.
void drawPictureAhead(double showAt) {
    Pictures& p = pictures;
    const double began = sinceStart();
    drawPicture(showAt);
    finishDrawing();
    p.drawTimes[p.nextDrawTime] = int(sinceStart() - began);
    p.nextDrawTime = (p.nextDrawTime + 1) % kDrawTimesKept;
    p.drawnAhead = true;
}

}  // namespace

float pictureFraction(uint32_t sinceFrame, uint32_t frameLength, float shownBefore) {
    float f = frameLength == 0 ? 1.0f : float(double(sinceFrame) / double(frameLength));
    return std::min(1.0f, std::max(f, shownBefore));
}

void startPictures(World& world, bool smooth) {
    pictures.world = &world;
    pictures.smooth = smooth;
    pictures.before = DrawnState{};
    keepFreedMemoryForPictures(smooth);
    if (!smooth) return;
    pictures.swapsWait = syncSwapsToDisplay();
    const int rate = displayRefreshRate();
    pictures.interval = 1000.0 / (rate > 0 ? rate : kUnknownRefreshRate);
    pictures.start = millisecondClock();
    pictures.due = 0.0;
    pictures.drawnAhead = false;
    std::fill(pictures.drawTimes, pictures.drawTimes + kDrawTimesKept, 0);
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
    if (!p.smooth || !p.world || !p.before.kept) return;
    if (frozen()) {
        // The picture drawn for the view the pause keeps goes on the screen
        // now, unless the pause in full screen has already shown that view
        // again with its word.
        if (p.drawnAhead && !(frameClock.paused && windowIsFullScreen())) showDrawnPicture();
        p.drawnAhead = false;
        return;
    }
    const double now = sinceStart();
    if (p.drawnAhead) {
        if (now < p.due) return;
        scheduleNextPicture(now);
        showDrawnPicture();
        return;
    }
    // A picture at the latest frame itself is already on the screen: the
    // next one waits for a new frame, or gives up its turn once it is due.
    if (p.shownFraction >= 1.0f) {
        if (now >= p.due) scheduleNextPicture(now);
        return;
    }
    if (now < p.due - drawingLead()) return;
    if (p.swapsWait) {
        // The swap itself waits for the refresh.
        scheduleNextPicture(now);
        drawPicture(now);
        showPicture();
        return;
    }
    drawPictureAhead(std::max(std::ceil(p.due), now));
    const double drawn = sinceStart();
    if (drawn < p.due) return;
    scheduleNextPicture(drawn);
    showDrawnPicture();
}

int millisecondsToNextPicture() {
    const Pictures& p = pictures;
    if (!p.smooth || frozen() || (p.shownFraction >= 1.0f && !p.drawnAhead)) return kWaitForever;
    const double next = p.drawnAhead ? p.due : p.due - drawingLead();
    return std::max(0, int(std::ceil(next - sinceStart())));
}

int millisecondsToNextPass(bool polling) {
    const int frame = millisecondsToSleep(polling);
    const int picture = millisecondsToNextPicture();
    if (picture == kWaitForever) return frame;
    return frame == kWaitForever ? picture : std::min(frame, picture);
}
