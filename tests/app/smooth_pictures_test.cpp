// Paced pictures of the real game, headless and on a clock that stands
// still: drawn ahead, shown (and taken for a screenshot) only when due.
#include "app/smooth_pictures.h"

#include "app/frame_clock.h"
#include "app/screenshot.h"
#include "app/settings.h"
#include "platform/clock_manual.h"
#include "platform/events.h"
#include "platform/media_path.h"
#include "platform/pictures_folder.h"
#include "render/renderer.h"
#include "render/world_drawing.h"
#include "support/scratch_media.h"
#include "support/turning_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

class PacedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_PICTURES_DIR", pictures.folder.c_str(), 1);
        gameSettings = GameSettings{};
        gameSettings.width = 640;
        gameSettings.height = 480;
        ASSERT_TRUE(startTurningSession(session, 5000, 10));
        setManualClock(10000);
        frameClock = FrameClock{};
        startPictures(*session.world, true);
        nextFrame();
        earlierScreenshots = screenshotsSaved();
    }
    void TearDown() override {
        stopPictures();
        endSession(session);
        releaseManualClock();
        setMediaFolder("");
        unsetenv("XDG_PICTURES_DIR");
    }
    // A frame accepted now (the clock stays the test's: no sound is mixed).
    void nextFrame() {
        frameClock.lastTime = 10000 + uint32_t(now);
        keepDrawnState(*session.world, before);
        runShownFrame(*session.world, frameInputOf(session.input, 0.03f, 0));
    }
    void at(int ms) {
        advanceManualClock(uint32_t(ms - now));
        now = ms;
        showPictureIfDue();
    }
    // Screenshots go where the game puts them: on Windows (under Wine) that is
    // the account's own Pictures folder, which earlier runs may have filled.
    int screenshotsSaved() const {
        std::string reason;
        const std::filesystem::path folder = std::filesystem::u8path(screenshotFolder(reason));
        std::error_code error;
        int count = 0;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            count += it->is_regular_file(error);
        return count;
    }
    int screenshots() const { return screenshotsSaved() - earlierScreenshots; }
    ScratchMedia pictures;
    ReplaySession session;
    DrawnState before;  // the frame before the latest, as the pictures keep it
    int now = 0;
    int earlierScreenshots = 0;
};

TEST_F(PacedPictures, APictureDrawnAheadIsShownWhenDuePlacedForThatMoment) {
    at(0);  // the first picture, due at once
    // The next is due 16.7 ms on; its drawing begins a millisecond ahead (the
    // longest drawing so far took no time on this clock).
    at(15);
    EXPECT_EQ(millisecondsToNextPass(false), 1);
    askForScreenshot();
    at(16);
    EXPECT_EQ(screenshots(), 0) << "shown before it was due";
    EXPECT_EQ(millisecondsToNextPass(false), 1);
    at(17);
    EXPECT_EQ(screenshots(), 1);
    const std::vector<uint8_t> shown = readFrame(640, 480);
    // It is the picture placed for the moment it appears, 17 ms after the
    // frame, not for the moment its drawing began.
    auto view = std::make_unique<DrawnView>();
    placeBetween(before, *session.world, 17.0f / 30.0f, *view);
    drawWorldFrame(*session.world, *view, true);
    EXPECT_EQ(readFrame(640, 480), shown);
    placeBetween(before, *session.world, 16.0f / 30.0f, *view);
    drawWorldFrame(*session.world, *view, true);
    EXPECT_NE(readFrame(640, 480), shown);
}

// Once the latest frame's own picture is shown no picture is pending, though
// the next frame is due: a wait for pictures alone (the demo's last picture
// held) sleeps instead of spinning.
TEST_F(PacedPictures, NoPictureIsPendingOnceTheLatestFramesOwnIsShown) {
    at(0);
    EXPECT_NE(millisecondsToNextPicture(), kWaitForever);
    for (int ms = 1; ms <= 34; ++ms) at(ms);
    EXPECT_EQ(millisecondsToNextPicture(), kWaitForever);
    EXPECT_EQ(millisecondsToNextPass(false), 0) << "the next frame is due";
}

TEST_F(PacedPictures, APausePressedWhileAPictureWaitsShowsItThen) {
    at(0);
    at(16);  // drawn, due at 17
    askForScreenshot();
    frameClock.pausePressed = true;
    showPictureIfDue();
    EXPECT_EQ(screenshots(), 1) << "the picture the pause keeps was never shown";
    // Nothing more is drawn: the loop waits for the frame that takes the pause.
    EXPECT_EQ(millisecondsToNextPass(false), 14);
}

}  // namespace
