#include "app/frame_clock.h"
#include "app/input.h"
#include "platform/events.h"
#include "platform/clock_manual.h"

#include <gtest/gtest.h>

namespace {

class FrameClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        inputState = InputState{};
        frameClock = FrameClock{};
        running = true;
        setManualClock(1000);
        startFrameClock();
    }
    void TearDown() override {
        running = false;
        releaseManualClock();
    }
    // The P key's messages, as the pump hands them on.
    static void pressP() { handleInputMessage({kMessageKeyDown, kKeyP}); }
    static void releaseP() { handleInputMessage({kMessageKeyUp, kKeyP}); }
    uint32_t frame() { return takeFrameTime(); }
};

TEST_F(FrameClockTest, ShortFramesAreSkippedWithoutMovingLastTime) {
    advanceManualClock(29);
    EXPECT_EQ(frame(), 0u);
    EXPECT_EQ(frameClock.lastTime, 1000u);
    EXPECT_EQ(millisecondsUntilNextFrame(), 1);
    advanceManualClock(1);
    EXPECT_EQ(millisecondsUntilNextFrame(), 0);
    EXPECT_EQ(frame(), 30u);  // the whole span since the last accepted frame
    EXPECT_EQ(frameClock.lastTime, 1030u);
}

TEST_F(FrameClockTest, AStallIsPassedOnWhole) {
    advanceManualClock(2000);
    EXPECT_EQ(frame(), 2000u);
}

TEST_F(FrameClockTest, NothingRunsOnceStopped) {
    running = false;
    advanceManualClock(100);
    EXPECT_EQ(frame(), 0u);
    EXPECT_EQ(frameClock.lastTime, 1000u);
}

TEST_F(FrameClockTest, PauseTogglesAtTheNextAcceptedFrameAndPilesUpNoTime) {
    pressP();
    advanceManualClock(10);
    EXPECT_EQ(frame(), 0u);
    EXPECT_FALSE(frameClock.paused);  // too early: the key waits
    EXPECT_TRUE(frameClock.pausePressed);
    EXPECT_EQ(inputState.keys[kKeyP], 0) << "P is the clock's, never the world's input";
    advanceManualClock(20);
    EXPECT_EQ(frame(), 0u);
    EXPECT_TRUE(frameClock.paused);
    EXPECT_EQ(inputState.keys[kKeyP], 0);

    for (int i = 0; i < 200; ++i) {  // six seconds paused
        advanceManualClock(30);
        EXPECT_EQ(frame(), 0u);
    }
    pressP();
    advanceManualClock(31);
    EXPECT_EQ(frame(), 31u);
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(FrameClockTest, ATapReleasedBeforeTheNextFrameStillToggles) {
    advanceManualClock(10);
    pressP();
    advanceManualClock(5);
    releaseP();
    EXPECT_EQ(inputState.keys[kKeyP], 0);
    advanceManualClock(15);
    EXPECT_EQ(frame(), 0u);
    EXPECT_TRUE(frameClock.paused);
    // One press toggles once: the frames after it leave the pause alone.
    advanceManualClock(30);
    EXPECT_EQ(frame(), 0u);
    EXPECT_TRUE(frameClock.paused);
    pressP();
    releaseP();
    advanceManualClock(30);
    EXPECT_GT(frame(), 0u);
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(FrameClockTest, AHeldKeyTogglesWithEachAutoRepeat) {
    pressP();
    advanceManualClock(30);
    EXPECT_EQ(frame(), 0u);
    EXPECT_TRUE(frameClock.paused);
    advanceManualClock(30);
    EXPECT_EQ(frame(), 0u);
    EXPECT_TRUE(frameClock.paused) << "held without a repeat: no second toggle";
    pressP();  // the auto-repeat's key-down
    advanceManualClock(30);
    EXPECT_GT(frame(), 0u);
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(FrameClockTest, TheClockWrapDoesNotStallTheLoop) {
    setManualClock(0xFFFFFFF0u);
    startFrameClock();
    advanceManualClock(40);  // now 0x18, past the wrap
    EXPECT_EQ(frame(), 40u);
    advanceManualClock(30);
    EXPECT_EQ(frame(), 30u);
}

TEST_F(FrameClockTest, ADemosFramesKeepTheirScheduleUnlessFarBehind) {
    // Frames of 31 ms, the second accepted 5 ms late: the third is due 26 ms
    // after it, so the pace stays the recorded one.
    advanceManualClock(31);
    EXPECT_TRUE(takeRecordedFrame(31));
    advanceManualClock(36);
    EXPECT_TRUE(takeRecordedFrame(31));
    EXPECT_EQ(millisecondsUntilNextFrame(), 26);
    advanceManualClock(25);
    EXPECT_FALSE(takeRecordedFrame(31));
    advanceManualClock(1);
    EXPECT_TRUE(takeRecordedFrame(31));
    // Two seconds stalled: no rush of frames to catch up, the next is 31 ms on.
    advanceManualClock(2000);
    EXPECT_TRUE(takeRecordedFrame(31));
    EXPECT_EQ(millisecondsUntilNextFrame(), 31);
    // P pauses it as it does the game.
    pressP();
    advanceManualClock(31);
    EXPECT_FALSE(takeRecordedFrame(31));
    EXPECT_TRUE(frameClock.paused);
}

TEST_F(FrameClockTest, WhilePausedTheLoopSleepsUntilTheNextMessage) {
    advanceManualClock(10);
    EXPECT_EQ(millisecondsToSleep(false), 20);  // running: until the next frame is due
    frameClock.paused = true;
    EXPECT_EQ(millisecondsToSleep(false), kWaitForever);
    EXPECT_EQ(millisecondsToSleep(true), 20);  // a stick must still be polled
    // P came down between frames: only a due frame looks at it, so the loop
    // wakes for that frame, released or not, a frame interval after the key.
    pressP();
    releaseP();
    EXPECT_EQ(millisecondsToSleep(false), 30);
    advanceManualClock(30);
    EXPECT_EQ(millisecondsToSleep(false), 0);
    EXPECT_EQ(frame(), 30u);
    EXPECT_FALSE(frameClock.paused);
}

// The loop as the game runs it while paused: it reads the clock only when a
// message wakes it, however long that takes, and a pass may or may not hold
// a message of its own.
class PausedLoopTest : public FrameClockTest {
protected:
    // Passes of the loop until one accepts a frame, each waking `lateMs`
    // after the time it slept for (a loaded machine); that frame's time.
    uint32_t nextFrame(uint32_t lateMs) {
        for (int pass = 0; pass < 100; ++pass) {
            if (const uint32_t milliseconds = frame()) return milliseconds;
            const int sleep = millisecondsToSleep(false);
            if (sleep == kWaitForever) return 0;  // asleep until a message comes
            advanceManualClock(uint32_t(sleep) + lateMs);
        }
        return 0;
    }
    void pause() {
        pressP();
        releaseP();
        advanceManualClock(30);
        ASSERT_EQ(frame(), 0u);
        ASSERT_TRUE(frameClock.paused);
        ASSERT_EQ(nextFrame(0), 0u) << "paused: the loop waits for a message";
    }
};

TEST_F(PausedLoopTest, TheFirstFrameAfterALongPauseIsOneInterval) {
    pause();
    advanceManualClock(3600 * 1000);  // an hour with no clock read
    pressP();
    EXPECT_EQ(nextFrame(0), 30u);
    EXPECT_FALSE(frameClock.paused);
    EXPECT_EQ(nextFrame(0), 30u);
}

TEST_F(PausedLoopTest, OtherMessagesAndLateWakingsDoNotStretchIt) {
    pause();
    // The pointer moved during the pause: a message, no frame, no clock change.
    advanceManualClock(90 * 1000);
    handleInputMessage({kMessageMouseMove, 0, 10, 10});
    EXPECT_EQ(nextFrame(0), 0u);
    // P taps while the queue also holds a mouse move, and the loop wakes late.
    advanceManualClock(5 * 60 * 1000);
    pressP();
    handleInputMessage({kMessageMouseMove, 0, 20, 20});
    releaseP();
    EXPECT_EQ(nextFrame(4), 34u);  // "a little more than 30 ms"
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(PausedLoopTest, ADemoResumesOnItsOwnPace) {
    EXPECT_TRUE([&] {
        advanceManualClock(31);
        return takeRecordedFrame(31);
    }());
    pressP();
    advanceManualClock(31);
    EXPECT_FALSE(takeRecordedFrame(31));
    EXPECT_TRUE(frameClock.paused);
    advanceManualClock(10 * 60 * 1000);
    pressP();
    EXPECT_EQ(millisecondsUntilNextFrame(), 31);
    advanceManualClock(31);
    EXPECT_TRUE(takeRecordedFrame(31));
    EXPECT_EQ(millisecondsUntilNextFrame(), 31);
}

}  // namespace
