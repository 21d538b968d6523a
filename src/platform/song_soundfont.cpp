#include "platform/song_soundfont.h"

#include "platform/soundfont_trim.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// The cut fonts by the names FluidSynth opens them by. FluidSynth opens a
// font again to load samples on whichever thread selects a preset.
std::mutex fontsLock;
std::vector<std::pair<std::string, std::shared_ptr<const TrimmedSoundFont>>> fonts;
int fontsMade = 0;

struct OpenFont {
    std::shared_ptr<const TrimmedSoundFont> font;
    std::FILE* file;
    uint64_t position;
};

std::string registerFont(std::shared_ptr<const TrimmedSoundFont> font) {
    std::lock_guard<std::mutex> guard(fontsLock);
    // Not a name any file has, so that only the loader below opens it.
    std::string name = font->path + "#song" + std::to_string(++fontsMade);
    fonts.emplace_back(name, std::move(font));
    return name;
}

void* openFont(const char* name) {
    std::shared_ptr<const TrimmedSoundFont> font;
    {
        std::lock_guard<std::mutex> guard(fontsLock);
        for (const auto& entry : fonts)
            if (entry.first == name) font = entry.second;
    }
    if (!font) return nullptr;
    std::FILE* file = std::fopen(font->path.c_str(), "rb");
    if (!file) return nullptr;
    return new OpenFont{std::move(font), file, 0};
}

int readFont(void* buffer, fluid_long_long_t count, void* handle) {
    OpenFont& open = *static_cast<OpenFont*>(handle);
    if (count < 0 || !readTrimmedSoundFont(*open.font, open.file, open.position,
                                           static_cast<uint8_t*>(buffer), size_t(count)))
        return FLUID_FAILED;
    open.position += uint64_t(count);
    return FLUID_OK;
}

int seekFont(void* handle, fluid_long_long_t offset, int origin) {
    OpenFont& open = *static_cast<OpenFont*>(handle);
    const fluid_long_long_t size = fluid_long_long_t(open.font->size());
    fluid_long_long_t base = origin == SEEK_SET   ? 0
                             : origin == SEEK_CUR ? fluid_long_long_t(open.position)
                             : origin == SEEK_END ? size
                                                  : -1;
    if (base < 0 || offset < -base || offset > size - base) return FLUID_FAILED;
    open.position = uint64_t(base + offset);
    return FLUID_OK;
}

fluid_long_long_t tellFont(void* handle) {
    return fluid_long_long_t(static_cast<OpenFont*>(handle)->position);
}

int closeFont(void* handle) {
    OpenFont* open = static_cast<OpenFont*>(handle);
    std::fclose(open->file);
    delete open;
    return FLUID_OK;
}

}  // namespace

int loadSongSoundFont(fluid_synth_t* synth, const std::string& path,
                      const std::vector<MidiPreset>& presets) {
    auto font = std::make_shared<TrimmedSoundFont>();
    fluid_sfloader_t* loader = nullptr;
    if (trimSoundFont(path, songPresetChoice(presets), *font) &&
        (loader = new_fluid_defsfloader(fluid_synth_get_settings(synth))) != nullptr) {
        fluid_sfloader_set_callbacks(loader, openFont, readFont, seekFont, tellFont, closeFont);
        fluid_synth_add_sfloader(synth, loader);
        int id = fluid_synth_sfload(synth, registerFont(std::move(font)).c_str(), 0);
        if (id != FLUID_FAILED) return id;
    }
    return fluid_synth_sfload(synth, path.c_str(), 0);
}

void forgetSongSoundFonts() {
    std::lock_guard<std::mutex> guard(fontsLock);
    fonts.clear();
}
