// The song reader over arbitrary bytes, into the player's fixed table.
#include "audio/music_player.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SongInfo info;
    if (readSong(data, size, &info) && musicPlayer.eventCount > kMaxMidiEvents) std::abort();
    // A header naming several tracks asks for the merged, time-ordered table.
    for (int32_t i = 1; i < musicPlayer.eventCount && info.tracks > 1; ++i)
        if (musicPlayer.events[i].time < musicPlayer.events[i - 1].time) std::abort();
    return 0;
}
