#include "platform/clock.h"
#include "platform/events.h"
#include "platform/periodic_timer.h"

#include <SDL.h>
#include <emscripten/eventloop.h>
#include <gtest/gtest.h>

namespace {

unsigned periodsRun = 0;
void countPeriod(unsigned) { ++periodsRun; }

void pushUserEvent(void*) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
}

struct EventsOnly : testing::Test {
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};

}  // namespace

// The frame loop's wait gives the page back to the browser: the timer's
// periods go on meanwhile, and the wait lasts its time when nothing comes.
TEST_F(EventsOnly, AWaitWithNothingQueuedLastsItsTimeAndLetsThePageRun) {
    periodsRun = 0;
    const unsigned timer = startPeriodicTimer(10, countPeriod);
    ASSERT_NE(timer, 0u);
    const uint32_t started = millisecondClock();
    waitForMessage(100);
    const uint32_t waited = millisecondClock() - started;
    killPeriodicTimer(timer);
    EXPECT_GE(waited, 100u) << "the wait counts on the same clock";
    EXPECT_LT(waited, 150u);
    EXPECT_GE(periodsRun, 7u);
}

// A message that the page queues while the game waits (a key, a click) ends
// the wait at once, however long it was to be; one already queued means no
// wait at all.
TEST_F(EventsOnly, AQueuedMessageEndsTheWait) {
    emscripten_set_timeout(pushUserEvent, 40, nullptr);
    const uint32_t started = millisecondClock();
    waitForMessage(kWaitForever);
    const uint32_t waited = millisecondClock() - started;
    EXPECT_GE(waited, 38u) << "the browser timer and the clock, each to the millisecond";
    EXPECT_LT(waited, 100u);
    const uint32_t again = millisecondClock();
    waitForMessage(500);
    EXPECT_LT(millisecondClock() - again, 5u);
}
