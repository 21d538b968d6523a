#include "platform/clock_manual.h"

#include "platform/clock.h"

#include <atomic>
#include <ctime>

namespace {
std::atomic<bool> fixed{false};
std::atomic<uint32_t> fixedValue{0};
}

void setManualClock(uint32_t ms) {
    fixedValue = ms;
    fixed = true;
}

void advanceManualClock(uint32_t ms) { fixedValue += ms; }

void releaseManualClock() { fixed = false; }

uint32_t millisecondClock() {
    if (fixed) return fixedValue;
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint32_t(uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u);
}
