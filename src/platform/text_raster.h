#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The one font the game writes with (DejaVu Sans Bold), rasterised a line at
// a time. The handle is opaque so that nothing outside this file sees SDL_ttf.
struct TextFont;

// One rendered line: `width` × `height` ink levels, top row first, 0 where
// there is no ink and 255 where a glyph covers the pixel completely.
struct CoverageImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> levels;
};

// Opens the font from the media folder, else from the system's font folder.
// Returns nullptr (and says why on standard error) when neither can be read.
TextFont* openTextFont();
void closeTextFont(TextFont* font);  // accepts nullptr

// Height in pixels of one line; every rendered line is this tall.
int textLineHeight(const TextFont* font);

// Renders one line of 8-bit text (Latin-1) at the font's size. Empty text, or
// a line the font cannot render, gives an empty image.
CoverageImage renderTextLine(TextFont* font, const std::string& line);
