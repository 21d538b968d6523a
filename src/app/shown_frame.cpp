#include "app/shown_frame.h"

#include "overlay/text_overlay.h"
#include "platform/window.h"
#include "render/renderer.h"

#include <utility>

namespace {

int keptWidth = 0, keptHeight = 0;  // the size of the frame the renderer kept

constexpr int kLabelWidth = 80, kLabelHeight = 24;

}  // namespace

void keepShownFrame(int width, int height) {
    keepFrame(width, height);
    keptWidth = width;
    keptHeight = height;
}

std::vector<uint8_t> shownFramePicture() { return readKeptFrame(); }

void showKeptFrameAgain(bool label) {
    std::vector<uint8_t> pixels = readKeptFrameBottomUp();
    if (pixels.empty()) return;
    const int w = keptWidth, h = keptHeight;
    TextOverlay picture, paused;
    // The whole frame as one box over the window, and the word over it.
    createTextOverlay(picture, 0, 0, w, h, w, h, false);
    picture.pixels = std::move(pixels);
    drawTextBox(picture);
    if (label) {
        const int left = (w - kLabelWidth) / 2, top = (h - kLabelHeight) / 2;
        createTextOverlay(paused, left, top, left + kLabelWidth, top + kLabelHeight, w, h, true);
        drawText(paused, "PAUSED", {0, 0, kLabelWidth, kLabelHeight}, 0);
        drawTextBox(paused);
    }
    releaseTextOverlay(picture);
    releaseTextOverlay(paused);
    swapWindowBuffers();
}
