#include "platform/soundfont_search.h"

#include "platform/media_path.h"
#include "platform/soundfont.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>

namespace {

// Debian's timgm6mb-soundfont: a General MIDI set of 6 MB, about the size of
// the wavetable synthesiser the song was written for, where the usual default
// (FluidR3) is 148 MB.
const char kSmallGeneralMidiFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

bool hasSoundFontEnding(const std::string& name) {
    if (name.size() < 4) return false;
    const char* ending = name.c_str() + name.size() - 4;
    return strcasecmp(ending, ".sf2") == 0 || strcasecmp(ending, ".sf3") == 0;
}

std::string soundFontInMediaFolder() {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(mediaFolder(), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && hasSoundFontEnding(it->path().filename().string()))
            found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front();
}

std::string fluidSynthDefaultFont(fluid_settings_t* settings) {
    char* path = nullptr;
    std::string result;
    if (settings && fluid_settings_dupstr(settings, "synth.default-soundfont", &path) == FLUID_OK &&
        path)
        result = path;
    fluid_free(path);
    return result;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::vector<std::string> soundFontCandidates(fluid_settings_t* settings) {
    std::vector<std::string> found;
    for (const std::string& path :
         {soundFontInMediaFolder(), std::string(kSmallGeneralMidiFont), fluidSynthDefaultFont(settings),
          std::string("/usr/share/sounds/sf2/default-GM.sf2"),
          std::string("/usr/share/sounds/sf3/default-GM.sf3")})
        if (fileExists(path) && std::find(found.begin(), found.end(), path) == found.end())
            found.push_back(path);
    return found;
}

std::vector<std::string> soundFontCandidates() {
    fluid_settings_t* probe = new_fluid_settings();
    std::vector<std::string> found = soundFontCandidates(probe);
    if (probe) delete_fluid_settings(probe);
    return found;
}

std::string findSoundFont() {
    std::vector<std::string> found = soundFontCandidates();
    return found.empty() ? std::string() : found.front();
}
