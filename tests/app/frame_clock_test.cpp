#include "app/frame_clock.h"
#include "app/input.h"
#include "platform/events.h"
#include "platform/gl.h"
#include "platform/clock_manual.h"
#include "support/gl_fixture.h"

#include <gtest/gtest.h>

namespace {

// beginFrame clears and pushes the projection, so it runs on a real context.
class FrameClockTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
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
    // Pops what an accepted frame pushed, as the frame loop does.
    float frame() {
        float seconds = beginFrame();
        if (seconds != 0.0f) glPopMatrix();
        return seconds;
    }
};

TEST_F(FrameClockTest, ShortFramesAreSkippedWithoutMovingLastTime) {
    advanceManualClock(29);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_EQ(frameClock.lastTime, 1000u);
    EXPECT_EQ(millisecondsUntilNextFrame(), 1);
    advanceManualClock(1);
    EXPECT_EQ(millisecondsUntilNextFrame(), 0);
    EXPECT_FLOAT_EQ(frame(), 0.030f);  // the whole span since the last accepted frame
    EXPECT_EQ(frameClock.lastTime, 1030u);
}

TEST_F(FrameClockTest, AStallIsPassedOnWhole) {
    advanceManualClock(2000);
    EXPECT_FLOAT_EQ(frame(), 2.0f);
}

// The colour at the lower-left pixel and the depth there.
void readCorner(uint8_t (&rgba)[4], float& depth) {
    glFinish();
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glReadPixels(0, 0, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
}

TEST_F(FrameClockTest, OnlyAnAcceptedFrameClearsAndPushesTheProjection) {
    glClearColor(1, 0, 0, 1);
    glClearDepth(0.25);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 1, 1);
    glClearDepth(1.0);
    GLint before = 0, after = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &before);
    uint8_t rgba[4] = {};
    float depth = 0;

    advanceManualClock(10);
    EXPECT_EQ(beginFrame(), 0.0f);
    readCorner(rgba, depth);
    EXPECT_EQ(rgba[0], 255);  // a skipped pass leaves the picture alone
    EXPECT_NEAR(depth, 0.25f, 1e-3f);

    advanceManualClock(30);
    EXPECT_GT(beginFrame(), 0.0f);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &after);
    EXPECT_EQ(after, before + 1);
    readCorner(rgba, depth);
    EXPECT_EQ(rgba[0], 0);
    EXPECT_EQ(rgba[2], 255);
    EXPECT_NEAR(depth, 1.0f, 1e-3f);
    glPopMatrix();
}

TEST_F(FrameClockTest, NothingRunsOnceStopped) {
    running = false;
    advanceManualClock(100);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_EQ(frameClock.lastTime, 1000u);
}

TEST_F(FrameClockTest, PauseTogglesAtTheNextAcceptedFrameAndPilesUpNoTime) {
    pressP();
    advanceManualClock(10);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_FALSE(frameClock.paused);  // too early: the key waits
    EXPECT_EQ(inputState.keys[kKeyP], 1);
    advanceManualClock(20);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_TRUE(frameClock.paused);
    EXPECT_EQ(inputState.keys[kKeyP], 0);

    for (int i = 0; i < 200; ++i) {  // six seconds paused
        advanceManualClock(30);
        EXPECT_EQ(beginFrame(), 0.0f);
    }
    pressP();
    advanceManualClock(31);
    EXPECT_FLOAT_EQ(frame(), 0.031f);
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(FrameClockTest, ATapReleasedBeforeTheNextFrameStillToggles) {
    advanceManualClock(10);
    pressP();
    advanceManualClock(5);
    releaseP();
    EXPECT_EQ(inputState.keys[kKeyP], 0);
    advanceManualClock(15);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_TRUE(frameClock.paused);
    // One press toggles once: the frames after it leave the pause alone.
    advanceManualClock(30);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_TRUE(frameClock.paused);
    pressP();
    releaseP();
    advanceManualClock(30);
    EXPECT_GT(frame(), 0.0f);
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(FrameClockTest, AHeldKeyTogglesWithEachAutoRepeat) {
    pressP();
    advanceManualClock(30);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_TRUE(frameClock.paused);
    advanceManualClock(30);
    EXPECT_EQ(beginFrame(), 0.0f);
    EXPECT_TRUE(frameClock.paused) << "held without a repeat: no second toggle";
    pressP();  // the auto-repeat's key-down
    advanceManualClock(30);
    EXPECT_GT(frame(), 0.0f);
    EXPECT_FALSE(frameClock.paused);
}

TEST_F(FrameClockTest, TheClockWrapDoesNotStallTheLoop) {
    setManualClock(0xFFFFFFF0u);
    startFrameClock();
    advanceManualClock(40);  // now 0x18, past the wrap
    EXPECT_FLOAT_EQ(frame(), 0.040f);
    advanceManualClock(30);
    EXPECT_FLOAT_EQ(frame(), 0.030f);
}

TEST_F(FrameClockTest, WhilePausedTheLoopSleepsUntilTheNextMessage) {
    advanceManualClock(10);
    EXPECT_EQ(millisecondsToSleep(false), 20);  // running: until the next frame is due
    frameClock.paused = true;
    EXPECT_EQ(millisecondsToSleep(false), kWaitForever);
    EXPECT_EQ(millisecondsToSleep(true), 20);  // a stick must still be polled
    // P came down between frames: only a due frame looks at it, so the loop
    // wakes for that frame, released or not.
    pressP();
    releaseP();
    EXPECT_EQ(millisecondsToSleep(false), 20);
    advanceManualClock(20);
    EXPECT_EQ(millisecondsToSleep(false), 0);
    EXPECT_FLOAT_EQ(frame(), 0.030f);
    EXPECT_FALSE(frameClock.paused);
}

}  // namespace
