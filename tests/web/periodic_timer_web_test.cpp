#include "platform/clock.h"
#include "platform/periodic_timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> firings;
unsigned stopAfter = 0;

void noteFiring(unsigned id) {
    firings.push_back(millisecondClock());
    if (stopAfter != 0 && firings.size() == stopAfter) killPeriodicTimer(id);
}

}  // namespace

// No thread runs the periods: while the page is busy (a long frame) none
// runs, and at the next waking every one that fell due meanwhile runs at
// once, none skipped however late the waking, each no earlier than
// start + n × period.
TEST(WebTimer, RunsEveryDuePeriodOnTheClocksSchedule) {
    firings.clear();
    stopAfter = 0;
    const uint32_t started = millisecondClock();
    const unsigned id = startPeriodicTimer(10, noteFiring);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(startPeriodicTimer(10, noteFiring), 0u) << "one timer at a time";
    uint32_t busyUntil = started;
    while (busyUntil - started < 55) busyUntil = millisecondClock();
    EXPECT_TRUE(firings.empty()) << "nothing runs beside a busy page";
    sleepMilliseconds(30);
    killPeriodicTimer(id);
    ASSERT_GE(firings.size(), (busyUntil - started) / 10) << "the periods due while busy all ran";
    EXPECT_LE(firings.size(), (millisecondClock() - started) / 10);
    for (size_t n = 0; n < firings.size(); ++n) {
        EXPECT_GE(firings[n] - started, 10 * (n + 1)) << "period " << n + 1 << " ran early";
        EXPECT_GE(int32_t(firings[n] - busyUntil), 0) << "period " << n + 1 << " ran while busy";
    }
    const size_t counted = firings.size();
    sleepMilliseconds(50);
    EXPECT_EQ(firings.size(), counted) << "a killed timer runs no more periods";
}

// The song's player stops the timer from inside its own period.
TEST(WebTimer, StopsFromInsideItsCallbackAndStartsAgain) {
    firings.clear();
    stopAfter = 3;
    ASSERT_NE(startPeriodicTimer(10, noteFiring), 0u);
    sleepMilliseconds(100);
    EXPECT_EQ(firings.size(), 3u);
    joinPeriodicTimer();
    firings.clear();
    stopAfter = 1;
    ASSERT_NE(startPeriodicTimer(5, noteFiring), 0u);
    sleepMilliseconds(40);
    EXPECT_EQ(firings.size(), 1u);
}

// The clock is the page's own, counted from its time origin: it moves with
// the time slept and does not start near 0 on every visit.
TEST(WebClock, CountsMillisecondsFromThePagesTimeOrigin) {
    const uint32_t before = millisecondClock();
    sleepMilliseconds(30);
    const uint32_t after = millisecondClock();
    EXPECT_GE(after - before, 29u) << "whole milliseconds at either end";
    EXPECT_LT(after - before, 1000u);
}
