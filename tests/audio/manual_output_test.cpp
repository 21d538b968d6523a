// The real mixer pulled block by block through the manual output, as a
// headless run mixes: no device, no audio thread, the clock standing still
// unless the test moves it.
#include "audio/sound_mixer.h"
#include "support/audio_files.h"
#include "platform/audio_output.h"
#include "platform/clock_manual.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct ManualOutputTest : ::testing::Test {
    ScratchMedia media;
    Vec3 listener{0, 0, 0};
    Vec3 facing{0, 0, 1};
    std::vector<int16_t> block = std::vector<int16_t>(2 * kMixBlockFrames);

    void SetUp() override {
        // A device that cannot open: whatever sounds here came through the manual output.
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        setManualClock(7000000);
        setHearingRange(75.0f);
        setManualAudioOutput(true);
    }
    void TearDown() override {
        closeSoundOutput();
        setManualAudioOutput(false);
        releaseManualClock();
        unsetenv("SDL_AUDIODRIVER");
    }
    int add(const std::vector<int16_t>& samples) {
        media.write("s.wav", monoWav(samples));
        return loadSound("s.wav");
    }
    bool pull() { return pullManualAudioBlock(block.data()); }
    // Where the game has the sound and the listener now, handed to the mixer.
    void publish(const Vec3& source) {
        SoundPositions positions{{}, listener, facing};
        std::fill(std::begin(positions.sources), std::end(positions.sources), source);
        publishSoundPositions(positions);
    }
    int left(int frame) const { return block[size_t(2 * frame)]; }
    int right(int frame) const { return block[size_t(2 * frame + 1)]; }
};

TEST_F(ManualOutputTest, PulledBlocksCarryAPlayedSoundUntilClosed) {
    EXPECT_FALSE(pull()) << "nothing to pull before the output opens";
    ASSERT_EQ(openSoundOutput(), 0) << "a manual output opens without a device";
    std::vector<int16_t> ramp(2500);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = int16_t(i);
    int sound = add(ramp);
    playSound(sound, {listener, listener, facing});

    ASSERT_TRUE(pull());
    for (int k = 0; k < kMixBlockFrames; ++k) ASSERT_EQ(left(k), k);
    EXPECT_EQ(right(500), 500);
    ASSERT_TRUE(pull());
    EXPECT_EQ(left(0), 1023);
    EXPECT_TRUE(isSoundPlaying(sound));
    ASSERT_TRUE(pull());  // reads from 2046: 2500 − 16 is reached in this block
    EXPECT_EQ(left(437), 2483);
    EXPECT_EQ(left(438), 0);
    EXPECT_FALSE(isSoundPlaying(sound));

    closeSoundOutput();
    EXPECT_FALSE(pull()) << "closing ends the manual output";
    setManualAudioOutput(false);
    EXPECT_NE(openSoundOutput(), 0) << "out of manual mode a real device is asked for again";
}

TEST_F(ManualOutputTest, TheMixerHearsAMoveOnlyOnceItIsPublished) {
    ASSERT_EQ(openSoundOutput(), 0);
    int sound = add(std::vector<int16_t>(20000, 1000));
    Vec3 source{10, 0, 0};  // facing +z with y up: +x is the left
    playSound(sound, {source, listener, facing});
    advanceManualClock(20);  // 10 units of travel
    ASSERT_TRUE(pull());
    EXPECT_GT(left(100), 0);
    EXPECT_EQ(right(100), 0);

    source.x = -10;  // over to the right, not yet published
    ASSERT_TRUE(pull());
    EXPECT_GT(left(100), 0);
    EXPECT_EQ(right(100), 0);

    publish(source);
    ASSERT_TRUE(pull());
    EXPECT_EQ(left(100), 0);
    EXPECT_GT(right(100), 0);

    facing.z = -1;  // the listener turns round: the source is on its left now
    publish(source);
    ASSERT_TRUE(pull());
    EXPECT_GT(left(100), 0);
    EXPECT_EQ(right(100), 0);

    listener = source;  // onto the source: centred, at full gain
    publish(source);
    ASSERT_TRUE(pull());
    EXPECT_EQ(left(100), 1000);
    EXPECT_EQ(right(100), 1000);
}

TEST_F(ManualOutputTest, AnEndedSoundStaysEndedWhatEverIsPublished) {
    ASSERT_EQ(openSoundOutput(), 0);
    int sound = add(std::vector<int16_t>(100, 1000));
    playSound(sound, {listener, listener, facing});
    ASSERT_TRUE(pull());
    ASSERT_FALSE(isSoundPlaying(sound));
    publish(Vec3{3, 0, 0});  // the game's object has gone on elsewhere
    ASSERT_TRUE(pull());
    EXPECT_EQ(left(0), 0);
    EXPECT_FALSE(isSoundPlaying(sound));
}

}  // namespace
