#include "platform/periodic_timer.h"

#include "platform/timer_thread.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = TimerClock;

std::atomic<unsigned> liveTimer{0};

// A program that ends without stopping its timer must not end in
// std::terminate: the last timer is stopped and joined at exit.
struct TimerThread {
    std::thread thread;
    ~TimerThread() {
        liveTimer.store(0, std::memory_order_release);
        if (thread.joinable()) thread.join();
    }
};
TimerThread timerThread;
unsigned lastTimerId = 0;
TimerCallback manualCallback = nullptr;
bool manualMode = false;

// A stall longer than this (a suspended machine) restarts the schedule
// instead of firing every missed period at once.
constexpr int kMaxCatchUpPeriods = 10;

// The schedule counts from the moment the timer was asked for, not from
// whenever the new thread first ran.
void runTimer(unsigned id, unsigned periodMs, TimerCallback callback, Clock::time_point started) {
    enterTimerThread();
    const auto period = std::chrono::milliseconds(periodMs);
    auto due = started + period;
    while (liveTimer.load(std::memory_order_acquire) == id) {
        waitUntil(due);
        if (liveTimer.load(std::memory_order_acquire) != id) break;
        callback(id);
        due += period;
        if (Clock::now() - due > period * kMaxCatchUpPeriods) due = Clock::now() + period;
    }
    leaveTimerThread();
}

}  // namespace

unsigned startPeriodicTimer(unsigned periodMs, TimerCallback callback) {
    if (!callback || periodMs == 0 || liveTimer.load() != 0) return 0;
    joinPeriodicTimer();
    unsigned id = ++lastTimerId == 0 ? ++lastTimerId : lastTimerId;
    if (manualMode) {
        manualCallback = callback;
        liveTimer.store(id, std::memory_order_release);
        return id;
    }
    liveTimer.store(id, std::memory_order_release);
    try {
        timerThread.thread = std::thread(runTimer, id, periodMs, callback, Clock::now());
    } catch (...) {
        liveTimer.store(0);
        return 0;
    }
    return id;
}

void killPeriodicTimer(unsigned timerId) {
    unsigned expected = timerId;
    liveTimer.compare_exchange_strong(expected, 0, std::memory_order_acq_rel);
}

void joinPeriodicTimer() {
    if (timerThread.thread.joinable() && timerThread.thread.get_id() != std::this_thread::get_id())
        timerThread.thread.join();
}

void sleepMilliseconds(unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void setManualTimer(bool manual) {
    manualMode = manual;
    if (!manual) manualCallback = nullptr;
}

bool tickManualTimer() {
    unsigned id = liveTimer.load(std::memory_order_acquire);
    if (!manualMode || !manualCallback || id == 0) return false;
    manualCallback(id);
    return true;
}
