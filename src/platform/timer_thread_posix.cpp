#include "platform/timer_thread.h"

#include <pthread.h>
#include <sched.h>

#include <thread>

// Like a multimedia timer, the thread wakes ahead of ordinary work when the
// system allows it; without the privilege it keeps the normal priority.
// The kernel's timers are precise to well under a millisecond already.
void enterTimerThread() {
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

void waitUntil(TimerClock::time_point due) { std::this_thread::sleep_until(due); }

void leaveTimerThread() {}
