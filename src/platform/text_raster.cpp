#include "platform/text_raster.h"

#include "platform/media_path.h"

#include <SDL_ttf.h>

#include <cstdio>

struct TextFont {
    TTF_Font* font = nullptr;
};

namespace {

const char kFontName[] = "DejaVuSans-Bold.ttf";
// Where the fonts-dejavu-core package puts it, for an installed game that
// depends on the package instead of carrying its own copy.
const char kSystemFontPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// 12 pixels to the em (SDL_ttf counts 72 dots per inch): a line is 14 pixels
// high, and the widest texts of the 80-pixel score box still fit it: "GAME
// OVER" is 79 pixels wide, "KILLS: -100" 76, "GO VEXAR!" 73. One point more
// makes "GAME OVER" 88 pixels.
const int kPointSize = 12;

TTF_Font* openAt(const std::string& path) {
    // SDL_ttf counts TTF_Init calls: each open font holds one, and the
    // library shuts down with the TTF_Quit of the last font closed.
    if (TTF_Init() != 0) return nullptr;
    TTF_Font* font = TTF_OpenFont(path.c_str(), kPointSize);
    if (!font) TTF_Quit();
    return font;
}

}  // namespace

TextFont* openTextFont() {
    TTF_Font* font = openAt(buildMediaPath(kFontName));
    if (!font) font = openAt(kSystemFontPath);
    if (!font) {
        std::fprintf(stderr, "no font: neither %s nor %s can be read; text stays blank\n",
                     buildMediaPath(kFontName).c_str(), kSystemFontPath);
        return nullptr;
    }
    return new TextFont{font};
}

void closeTextFont(TextFont* font) {
    if (!font) return;
    TTF_CloseFont(font->font);
    TTF_Quit();
    delete font;
}

int textLineHeight(const TextFont* font) { return font ? TTF_FontHeight(font->font) : 0; }

CoverageImage renderTextLine(TextFont* font, const std::string& line) {
    CoverageImage image;
    if (!font || line.empty()) return image;
    // Shaded rendering gives an 8-bit picture whose palette runs from the
    // background to the foreground colour; with black and white the palette's
    // red channel is the ink level.
    const SDL_Color white{255, 255, 255, 255};
    const SDL_Color black{0, 0, 0, 255};
    SDL_Surface* surface = TTF_RenderText_Shaded(font->font, line.c_str(), white, black);
    if (!surface) return image;
    const SDL_Palette* palette = surface->format->palette;
    if (palette && surface->format->BytesPerPixel == 1) {
        image.width = surface->w;
        image.height = surface->h;
        image.levels.resize(static_cast<size_t>(image.width) * image.height);
        const auto* rows = static_cast<const uint8_t*>(surface->pixels);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                uint8_t index = rows[y * surface->pitch + x];
                image.levels[y * image.width + x] =
                    index < palette->ncolors ? palette->colors[index].r : 0;
            }
    }
    SDL_FreeSurface(surface);
    return image;
}
