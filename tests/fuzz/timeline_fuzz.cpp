// The replay's input timeline over arbitrary bytes: a file either parses into
// changes that can all be applied, or is refused with the number of a line
// that exists.
#include "game/input_timeline.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    InputTimeline timeline;
    std::string error;
    if (!parseInputTimeline(text, timeline, error)) {
        const long line = std::strtol(error.c_str() + 5, nullptr, 10);
        if (error.compare(0, 5, "line ") != 0 || line < 1) std::abort();
        return 0;
    }
    InputState input;
    int lastFrame = 0;
    for (const InputChange& change : timeline.changes) {
        if (change.frame < lastFrame || change.frame < 1) std::abort();
        lastFrame = change.frame;
    }
    applyInputChanges(timeline, lastFrame, input);
    if (timeline.nextChange != timeline.changes.size()) std::abort();
    if (input.pointerX < -1.0f || input.pointerX > 1.0f) std::abort();
    return 0;
}
