#include "app/shown_frame.h"

#include "overlay/text_overlay.h"
#include "platform/window.h"
#include "render/renderer.h"
#include "render/world_drawing.h"

namespace {

struct ShownFrames {
    const World* world = nullptr;
    const TextOverlay* badge = nullptr;
    const DrawnView* view = nullptr;  // what moves, when placed between frames
    bool shown = false;  // a frame of the world is on the screen
};

ShownFrames frames;

constexpr int kLabelWidth = 80, kLabelHeight = 24;

bool drawShownFrameAgain() {
    if (!frames.world || !frames.shown) return false;
    drawShownFrame(*frames.world, true);
    return true;
}

void drawPausedLabel(int width, int height) {
    TextOverlay paused;
    const int left = (width - kLabelWidth) / 2, top = (height - kLabelHeight) / 2;
    createTextOverlay(paused, left, top, left + kLabelWidth, top + kLabelHeight, width, height,
                      true);
    drawText(paused, "PAUSED", {0, 0, kLabelWidth, kLabelHeight}, 0);
    drawTextBox(paused);
    releaseTextOverlay(paused);
}

}  // namespace

void showFramesOf(const World& world, const TextOverlay* badge) {
    frames = ShownFrames{&world, badge, nullptr, false};
}

void showViewOf(const DrawnView* view) { frames.view = view; }

void drawShownFrame(const World& world, bool again) {
    if (frames.view)
        drawWorldFrame(world, *frames.view, again);
    else
        drawWorldFrame(world, again);
    if (frames.badge) drawTextBox(*frames.badge);
}

void markFrameShown() { frames.shown = true; }

std::vector<uint8_t> shownFramePicture(int width, int height) {
    if (!drawShownFrameAgain()) return {};
    return readFrame(width, height);
}

void showShownFrameAgain(bool label, int width, int height) {
    if (!drawShownFrameAgain()) return;
    if (label) drawPausedLabel(width, height);
    swapWindowBuffers();
}
