// `vexar-tool check` for sounds (.wav) and songs (.mid).
#include "check_audio.h"

#include "audio/music_player.h"
#include "audio/sound_mixer.h"
#include "platform/media_path.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

int peakOf(const SoundSlot& slot) {
    int peak = 0;
    for (int32_t i = 0; i < slot.length; ++i) {
        int value = std::abs(int(slot.data[i]));
        if (value > peak) peak = value;
    }
    return peak;
}

void printEvent(const char* key, const MidiEvent& event) {
    std::printf("%s: %d %d %d %d\n", key, int(event.time), event.status, event.data1, event.data2);
}

}  // namespace

int checkSound(const std::string& fileName, const CheckOptions&) {
    SoundFileInfo info;
    int result = loadSound(fileName.c_str(), &info);
    std::printf("result: %d\n", result);
    if (result >= 0) {
        const SoundSlot& slot = soundMixer.slots[result];
        std::printf("format-tag: %d\nsamples: %d\npeak: %d\n", info.formatTag, int(slot.length),
                    peakOf(slot));
    }
    // Each file is checked on its own: emptying the table after it keeps the
    // table from filling up when one call checks many sounds.
    closeSoundOutput();
    return result < 0 ? 1 : 0;
}

int checkSong(const std::string& fileName, const CheckOptions& options) {
    // The game plays a missing song as silence; a check should say it is missing.
    std::string path = buildMediaPath(fileName.c_str());
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), error)) {
        std::printf("result: failed\n");
        std::fprintf(stderr, "%s: no such file\n", path.c_str());
        return 1;
    }
    SongInfo info;
    bool ok = loadSongFile(fileName.c_str(), &info);
    std::printf("result: %s\n", ok ? "ok" : "failed");
    if (!ok) return 1;
    std::printf("format: %d\ntracks: %d\nticks-per-period: %d\nevents: %d\n", info.format,
                info.tracks, int(musicPlayer.ticksPerPeriod), int(musicPlayer.eventCount));
    if (musicPlayer.eventCount > 0) {
        printEvent("first", musicPlayer.events[0]);
        printEvent("last", musicPlayer.events[musicPlayer.eventCount - 1]);
    }
    if (options.verbose)
        for (int32_t i = 0; i < musicPlayer.eventCount; ++i) printEvent("event", musicPlayer.events[i]);
    return 0;
}
