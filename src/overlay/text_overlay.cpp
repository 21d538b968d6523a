#include "overlay/text_overlay.h"

#include "platform/text_raster.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace {

// The fourth byte of a pixel inside a written line's cell. The box is drawn
// with blending off, where it means nothing; should an overlay be made with
// blending on, under the usual source-alpha blend the written lines then show
// as solid white-on-black cells and the untouched rest of the box stays clear.
// Untouched pixels keep the zero of the blank bitmap.
const uint8_t kCellOpaque = 255;

// Fills the part of a line's cell that lies inside the bitmap: the cell's
// background is black and the ink is white, so each colour byte is the ink level.
void paintLine(TextOverlay& overlay, const CoverageImage& line, int64_t left, int64_t top) {
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t x1 = std::min<int64_t>(left + line.width, overlay.width);
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t y1 = std::min<int64_t>(top + line.height, overlay.height);
    for (int64_t y = y0; y < y1; ++y) {
        // Rows are stored bottom first; the text is laid out top-down.
        const int64_t storedRow = overlay.height - 1 - y;
        uint8_t* row = &overlay.pixels[static_cast<size_t>(storedRow * overlay.width * 4)];
        const uint8_t* ink = &line.levels[static_cast<size_t>((y - top) * line.width)];
        for (int64_t x = x0; x < x1; ++x) {
            uint8_t* pixel = row + x * 4;
            pixel[0] = pixel[1] = pixel[2] = ink[x - left];
            pixel[3] = kCellOpaque;
        }
    }
}

bool reachesBitmap(const TextOverlay& overlay, int64_t left, int64_t top, int lineHeight) {
    return left < overlay.width && top < overlay.height && top + lineHeight > 0;
}

}  // namespace

bool createTextOverlay(TextOverlay& overlay, int left, int top, int right, int bottom,
                       int referenceWidth, int referenceHeight, bool blend) {
    releaseTextOverlay(overlay);
    const int64_t width = int64_t(right) - left;
    const int64_t height = int64_t(bottom) - top;
    // Four bytes a pixel must still count in 32 bits, as the bitmap's size did.
    if (width <= 0 || height <= 0 || width * height > INT32_MAX / 4) return false;
    if (referenceWidth <= 0 || referenceHeight <= 0) return false;

    overlay.blend = blend;
    overlay.width = static_cast<int32_t>(width);
    overlay.height = static_cast<int32_t>(height);
    // The lower-left corner, from top-down reference pixels to normalised
    // device coordinates; a box on the reference screen's bottom-left corner
    // lands exactly on (-1, -1) whatever size the window has.
    overlay.rasterX = static_cast<float>(2.0 * left / referenceWidth - 1.0);
    overlay.rasterY = static_cast<float>(1.0 - 2.0 * bottom / referenceHeight);
    overlay.pixels.assign(static_cast<size_t>(width * height * 4), 0);
    overlay.blankCopy = overlay.pixels;
    overlay.font = openTextFont();
    return true;
}

int drawText(TextOverlay& overlay, const char* text, const TextRect& rect, uint32_t /*format*/) {
    if (overlay.pixels.empty() || !overlay.font || !text) return 0;
    const int lineHeight = textLineHeight(overlay.font);
    int64_t top = rect.top;
    const char* start = text;
    for (;;) {
        // A line ends at a carriage return, a line feed or the pair of both.
        const char* end = start + std::strcspn(start, "\r\n");
        if (reachesBitmap(overlay, rect.left, top, lineHeight)) {
            CoverageImage line = renderTextLine(overlay.font, std::string(start, end));
            paintLine(overlay, line, rect.left, top);
        }
        top += lineHeight;
        if (*end == '\0') break;
        start = end + (end[0] == '\r' && end[1] == '\n' ? 2 : 1);
    }
    return static_cast<int>(std::min<int64_t>(top - rect.top, INT_MAX));
}

void clearTextOverlay(TextOverlay& overlay) {
    if (overlay.pixels.size() == overlay.blankCopy.size())
        std::copy(overlay.blankCopy.begin(), overlay.blankCopy.end(), overlay.pixels.begin());
}

void releaseTextOverlay(TextOverlay& overlay) {
    closeTextFont(overlay.font);
    overlay = TextOverlay{};
}
