#pragma once
#include <cstdint>

// Test programs link this clock instead of the real one. It follows the real
// monotonic clock until a test sets it; from then on it stands still and
// moves only when the test moves it.
void setFakeClock(uint32_t ms);
void advanceFakeClock(uint32_t ms);
void releaseFakeClock();
