// The demo reader over arbitrary bytes: a file is refused with the number of
// a line that exists (or the one after the last), or it plays frame by frame
// with a frame time for every frame and its checks compared.
#include "game/demo.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    InputTimeline timeline;
    std::string error;
    if (!parseDemo(text, timeline, error)) {
        const long line = std::strtol(error.c_str() + 5, nullptr, 10);
        const long lines = long(std::count(text.begin(), text.end(), '\n')) + 1;
        if (error.compare(0, 5, "line ") != 0 || line < 1 || line > lines) std::abort();
        return 0;
    }
    if (timeline.header.version < 1 || !timeline.header.hasSeed) std::abort();
    // Frame numbers run to nine digits; a few thousand frames show the rules.
    const int frames = std::min(timeline.lastFrame, 5000);
    DemoPlayer player;
    startDemoPlayback(player, std::move(timeline));
    static World world;  // set up by nothing: the check reads only plain fields
    uint32_t milliseconds = 0, sounds = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        if (!nextDemoFrame(player, world, milliseconds, sounds)) std::abort();
        if (milliseconds == 0 || player.frame != frame) std::abort();
        world.soundsPlaying = sounds;
        checkDemoFrame(player, world);
    }
    world.soundsPlaying = 0;
    return 0;
}
