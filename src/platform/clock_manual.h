#pragma once
#include <cstdint>

// A clock its user drives, linked instead of the real one by the tests and by
// vexar-tool (whose replay runs on game time). It follows the real monotonic
// clock until it is set; from then on it stands still and moves only when
// told to.
void setManualClock(uint32_t ms);
void advanceManualClock(uint32_t ms);
void releaseManualClock();
