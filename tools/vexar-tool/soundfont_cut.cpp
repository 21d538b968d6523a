#include "soundfont_cut.h"

#include "tool_help.h"

#include "audio/music_player.h"
#include "audio/song_presets.h"
#include "platform/file_system.h"
#include "platform/soundfont.h"
#include "platform/soundfont_pack.h"
#include "platform/whole_file.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: vexar-tool soundfont SONG.mid OUT.sf2 [--font FILE]\n"
    "Writes the SoundFont the game plays SONG.mid with (FILE, else the one the\n"
    "game finds), cut to the presets the song needs and the samples they play.\n"
    "  --font FILE         the SoundFont to cut\n"
    "  --help              this text\n";

}  // namespace

int runSoundFont(int argc, char** argv) {
    if (printHelpIfAsked(argc, argv, kUsage)) return 0;
    std::string song, out, font;
    int named = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc) {
            font = argv[++i];
        } else if (argv[i][0] != '-' && named < 2) {
            (named++ == 0 ? song : out) = argv[i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (named != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::vector<uint8_t> songBytes;
    if (!readWholeFile(song, songBytes) || !readSong(songBytes.data(), songBytes.size())) {
        std::fprintf(stderr, "soundfont: %s: not a song the game plays\n", song.c_str());
        return 1;
    }
    if (font.empty()) font = findSoundFont();
    if (font.empty()) {
        std::fputs("soundfont: no SoundFont found\n", stderr);
        return 1;
    }
    const std::vector<MidiPreset> presets = songPresets(musicPlayer.events, musicPlayer.eventCount);
    TrimmedSoundFont trimmed;
    std::vector<uint8_t> packed;
    if (!trimSoundFont(font, songPresetChoice(presets), trimmed) || !packSoundFont(trimmed, packed)) {
        std::fprintf(stderr, "soundfont: %s: not a SoundFont that can be cut\n", font.c_str());
        return 1;
    }
    const std::string problem =
        replaceFileContents(out, std::string(packed.begin(), packed.end()));
    if (!problem.empty()) {
        std::fprintf(stderr, "soundfont: %s: %s\n", out.c_str(), problem.c_str());
        return 1;
    }
    std::printf("%s: %zu presets of the song from %s, %zu bytes\n", out.c_str(), presets.size(),
                font.c_str(), packed.size());
    return 0;
}
