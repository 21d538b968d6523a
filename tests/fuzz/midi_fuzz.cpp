// The song reader over arbitrary bytes, into the player's fixed table.
#include "audio/music_player.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SongInfo info;
    if (readSong(data, size, &info) && musicPlayer.eventCount > kMaxMidiEvents) std::abort();
    for (int32_t i = 1; i < musicPlayer.eventCount; ++i)
        if ((info.tracks != 1) && musicPlayer.events[i].time < musicPlayer.events[i - 1].time) std::abort();
    return 0;
}
