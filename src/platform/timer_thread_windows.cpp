#include "platform/timer_thread.h"

#include <windows.h>
#include <mmsystem.h>

#include <thread>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// Windows wakes sleeping threads on its scheduler tick, 15.6 ms by default: a
// 10 ms period would come every 15 or 16 ms. A high-resolution waitable timer
// (Windows 10 1803 and later) wakes on time by itself; where there is none,
// the system timer is set to 1 ms for as long as the thread runs, as the
// multimedia timer does for its own periods.
namespace {

thread_local HANDLE waitable = nullptr;
thread_local bool finerTick = false;

}  // namespace

void enterTimerThread() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    waitable = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                      TIMER_ALL_ACCESS);
    if (!waitable) {
        finerTick = timeBeginPeriod(1) == TIMERR_NOERROR;
        waitable = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    }
}

void waitUntil(TimerClock::time_point due) {
    auto left = due - TimerClock::now();
    if (left <= TimerClock::duration::zero()) return;
    if (!waitable) {
        std::this_thread::sleep_until(due);
        return;
    }
    // Relative due times are negative, in units of 100 ns.
    LARGE_INTEGER relative;
    relative.QuadPart = -std::chrono::duration_cast<std::chrono::duration<long long, std::ratio<1, 10000000>>>(left).count();
    if (SetWaitableTimer(waitable, &relative, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(waitable, INFINITE);
    else
        std::this_thread::sleep_until(due);
}

void leaveTimerThread() {
    if (waitable) CloseHandle(waitable);
    waitable = nullptr;
    if (finerTick) timeEndPeriod(1);
    finerTick = false;
}
