#include "platform/clock.h"

#include <emscripten.h>

// The page's monotonic clock counted from the moment its time origin stands
// for, not from the page's opening: the clock seeds the random source, and a
// count that restarts near 0 on every visit would repeat the world.
uint32_t millisecondClock() {
    const double ms = EM_ASM_DOUBLE({ return performance.timeOrigin + performance.now(); });
    return uint32_t(uint64_t(ms));
}
