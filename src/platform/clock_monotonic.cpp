#include "platform/clock.h"

#include <ctime>

// Since boot rather than since program start: the clock also seeds the random
// source, and a count that restarts near 0 every run would repeat the world.
uint32_t millisecondClock() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
    return uint32_t(ms);
}
