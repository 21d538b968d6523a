// The demo reader over arbitrary bytes: a file is refused with the number of
// a line that exists (or the one after the last), or it plays frame by frame
// with a frame time for every frame and its checks compared, and asks for no
// more frames, game time or window than a demo may.
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
    const DemoHeader& header = timeline.header;
    if (timeline.lastFrame > kMaxFrames || header.width < 1 || header.height < 1 ||
        header.width > kMaxWindowSide || header.height > kMaxWindowSide ||
        int64_t(header.width) * header.height > kMaxWindowPixels)
        std::abort();
    const int lastFrame = timeline.lastFrame;
    // Frame numbers run to nine digits; a few thousand frames show the rules.
    const int frames = std::min(timeline.lastFrame, 5000);
    DemoPlayer player;
    startDemoPlayback(player, std::move(timeline));
    static World world;  // set up by nothing: the check reads only plain fields
    uint32_t milliseconds = 0, sounds = 0;
    uint64_t gameMs = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        if (!nextDemoFrame(player, world, milliseconds, sounds)) std::abort();
        if (milliseconds == 0 || milliseconds > kMaxFrameMs || player.frame != frame) std::abort();
        gameMs += milliseconds;
        world.soundsPlaying = sounds;
        checkDemoFrame(player, world);
    }
    // The frames not played, from their time lines: the whole demo's game
    // time (what the replay mixes sound for) stays within the limit.
    int from = frames + 1;
    for (size_t i = player.timeline.next; i < player.timeline.lines.size(); ++i) {
        const TimelineLine& line = player.timeline.lines[i];
        if (line.kind != TimelineKind::Time) continue;
        gameMs += uint64_t(line.frame - from) * milliseconds;
        milliseconds = line.value;
        from = line.frame;
    }
    gameMs += uint64_t(lastFrame + 1 - from) * milliseconds;
    if (gameMs > kMaxGameMs) std::abort();
    world.soundsPlaying = 0;
    return 0;
}
