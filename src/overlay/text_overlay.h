#pragma once
#include <cstdint>
#include <vector>

struct TextFont;

// A rectangle in bitmap pixels: origin at the bitmap's top-left, y down.
struct TextRect {
    int32_t left, top, right, bottom;
};

// A small off-screen picture that text is written into, copied onto the frame
// in one glDrawPixels. Default-constructed it is empty: nothing created yet.
struct TextOverlay {
    // `height` rows of `width` pixels, bottom row first; each pixel is blue,
    // green, red and a fourth byte that is 255 inside a written line's cell
    // (opaque) and 0 where nothing was written (see the .cpp).
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> blankCopy;  // the pixels as created, for clearTextOverlay
    float rasterX = 0;               // normalised device position of the lower-left corner
    float rasterY = 0;
    bool blend = false;  // copied onto the frame with GL blending on, else off
    int32_t width = 0;
    int32_t height = 0;
    // Owned, so the record is not to be copied; null when no font could be opened.
    TextFont* font = nullptr;
};

// Makes a `right - left` × `bottom - top` bitmap for the box given in a
// reference screen of referenceWidth × referenceHeight pixels (y down); the
// reference size only places the box, the bitmap is never scaled. False when
// the box is empty. Without a font the bitmap is made but stays black.
bool createTextOverlay(TextOverlay& overlay, int left, int top, int right, int bottom,
                       int referenceWidth, int referenceHeight, bool blend);

// Writes white text on black cells, one cell per line, left-aligned from the
// rectangle's top-left; lines break only at line-break characters. The
// rectangle never clips: only the bitmap's own edges cut the text. Text
// accumulates until clearTextOverlay. Of the `format` flags only the
// default layout (0) is drawn; no other flag changes it. Returns the height
// of the text drawn, 0 when the overlay has no bitmap or no font.
int drawText(TextOverlay& overlay, const char* text, const TextRect& rect, uint32_t format);

// Blanks the bitmap back to all zero bytes (black).
void clearTextOverlay(TextOverlay& overlay);

// Copies the bitmap onto the current frame with its lower-left corner at the
// raster position, over everything (no depth test, no lighting, no texture).
// Needs the game's GL context current. The matrices, the matrix mode and the
// enable switches are left as they were, inside a frame or after it.
void drawToFrame(const TextOverlay& overlay);

// Frees what createTextOverlay made and returns to the empty state. Safe on a
// never-created overlay and when called again.
void releaseTextOverlay(TextOverlay& overlay);
