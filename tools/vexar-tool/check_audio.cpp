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

int noteCount() {
    int notes = 0;
    for (int32_t i = 0; i < musicPlayer.eventCount; ++i) {
        const MidiEvent& event = musicPlayer.events[i];
        // A note-on of velocity 0 is a note-off.
        notes += (event.status & 0xF0) == 0x90 && event.data2 > 0;
    }
    return notes;
}

// Why a song the reader took would still not be heard; nullptr when it would.
const char* silentSong(const SongInfo& info, int notes) {
    if (info.trackChunks == 0) return "the song has no tracks";
    if (notes == 0) return "the song has no notes";
    return nullptr;
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
    return result >= 0 ? printResult(true) : failCheck(fileName, info.failure);
}

int checkSong(const std::string& fileName, const CheckOptions& options) {
    SongInfo info;
    if (!loadSongFile(fileName.c_str(), &info))
        return failCheck(fileName, info.format > 1 ? "a song of format 2: only formats 0 and 1 play"
                                                   : "the header chunk is shorter than 6 bytes");
    const int notes = noteCount();
    std::printf("format: %d\ntracks: %d\nticks-per-period: %d\nevents: %d\nnotes: %d\n",
                info.format, info.tracks, int(musicPlayer.ticksPerPeriod),
                int(musicPlayer.eventCount), notes);
    if (musicPlayer.eventCount > 0) {
        printEvent("first", musicPlayer.events[0]);
        printEvent("last", musicPlayer.events[musicPlayer.eventCount - 1]);
    }
    if (options.verbose)
        for (int32_t i = 0; i < musicPlayer.eventCount; ++i) printEvent("event", musicPlayer.events[i]);
    if (const char* silence = silentSong(info, notes)) return failCheck(fileName, silence);
    return printResult(true);
}
