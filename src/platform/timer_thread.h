#pragma once
#include <chrono>

// The part of the periodic timer's thread that differs by system: how it asks
// to wake on time. The thread calls enterTimerThread first, then waitUntil
// for each period, and leaveTimerThread last.
using TimerClock = std::chrono::steady_clock;

void enterTimerThread();
void waitUntil(TimerClock::time_point due);
void leaveTimerThread();
