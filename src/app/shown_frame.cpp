#include "app/shown_frame.h"

#include "game/frame_picture.h"
#include "overlay/text_overlay.h"
#include "platform/window.h"

namespace {

KeptFrame kept;

constexpr int kLabelWidth = 80, kLabelHeight = 24;

}  // namespace

void keepShownFrame(int width, int height) { keepFrame(kept, width, height); }

std::vector<uint8_t> shownFramePicture() { return readKeptFrame(kept); }

void showKeptFrameAgain(bool label) {
    if (kept.texture == 0) return;
    const int w = kept.width, h = kept.height;
    TextOverlay picture, paused;
    // The whole frame as one box over the window, and the word over it.
    createTextOverlay(picture, 0, 0, w, h, w, h, false);
    picture.pixels = readKeptFrameBottomUp(kept);
    drawToFrame(picture);
    if (label) {
        const int left = (w - kLabelWidth) / 2, top = (h - kLabelHeight) / 2;
        createTextOverlay(paused, left, top, left + kLabelWidth, top + kLabelHeight, w, h, true);
        drawText(paused, "PAUSED", {0, 0, kLabelWidth, kLabelHeight}, 0);
        drawToFrame(paused);
    }
    releaseTextOverlay(picture);
    releaseTextOverlay(paused);
    swapWindowBuffers();
}
