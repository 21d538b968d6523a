#pragma once
#include <cstdint>

// Milliseconds of the system's monotonic clock, truncated to 32 bits like the
// multimedia clock the game was designed around. It wraps after 49.7 days;
// callers take differences modulo 2^32.
uint32_t millisecondClock();
