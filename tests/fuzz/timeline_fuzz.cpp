// The replay's input timeline over arbitrary bytes: a file either parses into
// lines within the limits that can all be applied, or is refused with the
// number of a line that exists.
#include "game/input_timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    InputTimeline timeline;
    std::string error;
    if (!parseInputTimeline(text, timeline, error)) {
        const long line = std::strtol(error.c_str() + 5, nullptr, 10);
        const long lines = long(std::count(text.begin(), text.end(), '\n')) + 1;
        if (error.compare(0, 5, "line ") != 0 || line < 1 || line > lines) std::abort();
        return 0;
    }
    InputState input;
    int lastFrame = 0;
    for (const TimelineLine& line : timeline.lines) {
        if (line.frame < lastFrame || line.frame < 1 || line.frame > kMaxFrames) std::abort();
        if (line.kind == TimelineKind::Time && (line.value < 1 || line.value > kMaxFrameMs))
            std::abort();
        lastFrame = line.frame;
    }
    if (lastFrame != timeline.lastFrame) std::abort();
    applyInputChanges(timeline, lastFrame, input);
    if (timeline.next != timeline.lines.size()) std::abort();
    if (!std::isfinite(input.pointerX) || !std::isfinite(input.pointerY)) std::abort();
    return 0;
}
