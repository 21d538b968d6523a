// The song reader over arbitrary bytes, into the player's fixed table.
#include "audio/music_player.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SongInfo info;
    bool loaded = readSong(data, size, &info);
    if (musicPlayer.eventCount < 0 || musicPlayer.eventCount > kMaxMidiEvents) std::abort();
    // A song whose header names several tracks is merged into one time-ordered table.
    for (int32_t i = 1; loaded && info.tracks > 1 && i < musicPlayer.eventCount; ++i)
        if (musicPlayer.events[i].time < musicPlayer.events[i - 1].time) std::abort();
    return 0;
}
