#include "platform/periodic_timer.h"

#include "platform/clock.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

// A page has no threads to spare (they would need cross-origin isolation),
// so the browser's interval timer wakes the timer instead, and each waking
// runs every period the millisecond clock says is due: the browser may wake
// it late (it clamps and, in a hidden tab, throttles its timers), but the
// schedule stays start + n × period, as on the systems with a timer thread.
// Unlike the thread, which starts its schedule afresh after a stall of ten
// periods, every due period runs however late the waking: a browser delays
// timers as a matter of course (a second at a time in a hidden tab), and a
// fresh start each time would drop the song's periods.

namespace {

unsigned liveTimer = 0;
unsigned lastTimerId = 0;
long browserInterval = 0;
TimerCallback timerCallback = nullptr;
unsigned timerPeriod = 0;
uint32_t nextDue = 0;
bool manualMode = false;

void stopBrowserInterval() {
    if (browserInterval != 0) emscripten_clear_interval(browserInterval);
    browserInterval = 0;
}

// The clock's count is taken modulo 2^32: a period is due once the time
// since it fell due is "non-negative".
bool periodDue(uint32_t now) { return int32_t(now - nextDue) >= 0; }

void runDuePeriods(void*) {
    const unsigned id = liveTimer;
    uint32_t now = millisecondClock();
    while (liveTimer == id && id != 0 && periodDue(now)) {
        timerCallback(id);
        nextDue += timerPeriod;
        now = millisecondClock();
    }
    if (liveTimer != id || id == 0) stopBrowserInterval();
}

}  // namespace

unsigned startPeriodicTimer(unsigned periodMs, TimerCallback callback) {
    if (!callback || periodMs == 0 || liveTimer != 0) return 0;
    stopBrowserInterval();
    unsigned id = ++lastTimerId == 0 ? ++lastTimerId : lastTimerId;
    timerCallback = callback;
    timerPeriod = periodMs;
    nextDue = millisecondClock() + periodMs;
    liveTimer = id;
    if (!manualMode) browserInterval = emscripten_set_interval(runDuePeriods, periodMs, nullptr);
    return id;
}

void killPeriodicTimer(unsigned timerId) {
    if (liveTimer == timerId) liveTimer = 0;
}

// Nothing runs beside the caller: a killed timer is already over.
void joinPeriodicTimer() { stopBrowserInterval(); }

// Gives the page back to the browser meanwhile (Asyncify), so that the
// timer, the audio and the page's events go on.
void sleepMilliseconds(unsigned ms) { emscripten_sleep(ms); }

void setManualTimer(bool manual) {
    manualMode = manual;
    if (!manual) timerCallback = nullptr;
}

bool tickManualTimer() {
    const unsigned id = liveTimer;
    if (!manualMode || !timerCallback || id == 0) return false;
    timerCallback(id);
    return true;
}
