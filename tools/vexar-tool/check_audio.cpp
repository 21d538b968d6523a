// `vexar-tool check` for sounds (.wav) and songs (.mid).
#include "check_audio.h"

#include "audio/music_player.h"
#include "audio/sound_mixer.h"

#include <cstdio>
#include <cstdlib>

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
    if (result >= 0) {
        const SoundSlot& slot = soundMixer.slots[result];
        std::printf("format-tag: %d\nsamples: %d\npeak: %d\n", info.formatTag, int(slot.length),
                    peakOf(slot));
    }
    // Each file is checked on its own: emptying the table after it keeps the
    // table from filling up when one call checks many sounds.
    closeSoundOutput();
    // A refused file was reported by the loader, in the game's words.
    return printResult(result >= 0);
}

int checkSong(const std::string& fileName, const CheckOptions& options) {
    SongInfo info;
    const bool loaded = loadSongFile(fileName.c_str(), &info);
    const char* trouble = songTrouble(loaded, info);
    if (!loaded) return failCheck(fileName, trouble);
    const int notes = songNoteCount();
    std::printf("format: %d\ntracks: %d\nticks-per-period: %d\nevents: %d\nnotes: %d\n",
                info.format, info.tracks, int(musicPlayer.ticksPerPeriod),
                int(musicPlayer.eventCount), notes);
    if (musicPlayer.eventCount > 0) {
        printEvent("first", musicPlayer.events[0]);
        printEvent("last", musicPlayer.events[musicPlayer.eventCount - 1]);
    }
    if (options.verbose)
        for (int32_t i = 0; i < musicPlayer.eventCount; ++i) printEvent("event", musicPlayer.events[i]);
    if (trouble) return failCheck(fileName, trouble);
    return printResult(true);
}
