#include "audio/sound_mixer.h"
#include "support/audio_files.h"
#include "platform/clock_manual.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr uint32_t kStart = 5000000;

// The mixer run block by block on this thread, with the clock standing still
// unless the test moves it. No device is opened, so nothing else mixes.
struct MixerTest : ::testing::Test {
    ScratchMedia media;
    Vec3 listener{0, 0, 0};
    Vec3 facing{0, 0, 1};
    std::vector<int16_t> block = std::vector<int16_t>(2 * kMixBlockFrames);

    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        setManualClock(kStart);
        setHearingRange(75.0f);
        openSoundOutput();
    }
    void TearDown() override {
        closeSoundOutput();
        releaseManualClock();
        unsetenv("SDL_AUDIODRIVER");
    }
    int add(const std::vector<int16_t>& samples) {
        media.write("s.wav", monoWav(samples));
        return loadSound("s.wav");
    }
    void mix() { onBufferDone(block.data()); }
    // The sound started, and every source moved, where the game has them now.
    bool play(int sound, const Vec3& source) { return playSound(sound, {source, listener, facing}); }
    void publish(const Vec3& source) {
        SoundPositions positions{{}, listener, facing};
        std::fill(std::begin(positions.sources), std::end(positions.sources), source);
        publishSoundPositions(positions);
    }
    int left(int frame) const { return block[size_t(2 * frame)]; }
    int right(int frame) const { return block[size_t(2 * frame + 1)]; }
    bool silent() const {
        for (int16_t s : block) if (s != 0) return false;
        return true;
    }
};

std::vector<int16_t> constant(int length, int16_t value) { return std::vector<int16_t>(size_t(length), value); }

std::vector<int16_t> ramp(int length) {
    std::vector<int16_t> samples(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i) samples[size_t(i)] = int16_t(i % 30000);
    return samples;
}

TEST_F(MixerTest, NoDeviceStillAcceptsSounds) {
    EXPECT_TRUE(soundMixer.isOpen.load());
    int sound = add(constant(100, 1));
    Vec3 source{};
    play(sound, source);
    EXPECT_TRUE(isSoundPlaying(sound));
    EXPECT_FALSE(isSoundPlaying(sound + 1));
    EXPECT_FALSE(isSoundPlaying(-1));
    play(7, source);  // out of range: ignored
}

TEST_F(MixerTest, CentredSoundIsEqualInBothEarsAndHandsItsIndexOn) {
    int sound = add(ramp(5000));
    Vec3 source = listener;
    play(sound, source);
    mix();
    for (int k = 0; k < kMixBlockFrames; ++k) {
        ASSERT_EQ(left(k), k);
        ASSERT_EQ(right(k), k);
    }
    EXPECT_EQ(soundMixer.slots[sound].readPosition, 1023);
    mix();
    EXPECT_EQ(left(0), 1023) << "the last index of a block is read again";
    EXPECT_EQ(left(1), 1024);
    EXPECT_EQ(soundMixer.slots[sound].readPosition, 2046);
}

TEST_F(MixerTest, SourceAboveTheListenerIsCentredToo) {
    int sound = add(constant(5000, 1000));
    Vec3 source{0, 10, 0};
    play(sound, source);
    advanceManualClock(20);
    mix();
    const SoundSlot& slot = soundMixer.slots[sound];
    EXPECT_EQ(slot.gainLeft, slot.gainRight);
    EXPECT_EQ(slot.leadLeft, 0);
    EXPECT_EQ(slot.leadRight, 0);
    EXPECT_EQ(left(500), right(500));
    EXPECT_EQ(left(500), int(1000 * ((75.0f - 10.0f) * (1.0f / 75.0f))));
}

TEST_F(MixerTest, SideSourcesLeadAndFillTheNearEarOnly) {
    int sound = add(ramp(5000));
    const SoundSlot& slot = soundMixer.slots[sound];
    Vec3 onLeft{10, 0, 0};  // facing +z with y up: +x is the left
    play(sound, onLeft);
    advanceManualClock(20);
    mix();
    float g = (75.0f - 10.0f) * (1.0f / 75.0f);
    EXPECT_EQ(slot.leadLeft, 16);
    EXPECT_EQ(slot.leadRight, 0);
    EXPECT_FLOAT_EQ(slot.gainLeft, g);
    EXPECT_EQ(slot.gainRight, 0.0f);
    EXPECT_EQ(left(0), int(16 * g));
    EXPECT_EQ(left(100), int(116 * g));
    EXPECT_EQ(right(100), 0);

    Vec3 onRight{-10, 0, 0};
    play(sound, onRight);
    advanceManualClock(20);
    mix();
    EXPECT_EQ(slot.leadRight, 16);
    EXPECT_EQ(slot.leadLeft, 0);
    EXPECT_EQ(right(100), int(116 * g));
    EXPECT_EQ(left(100), 0);
}

TEST_F(MixerTest, DiagonalSourceGetsAPartialFarEarAndLead) {
    int sound = add(constant(5000, 1000));
    const SoundSlot& slot = soundMixer.slots[sound];
    Vec3 source{-10, 0, 10};  // ahead and to the right
    play(sound, source);
    advanceManualClock(30);
    mix();
    float a = 10.0f / std::sqrt(200.0f);
    EXPECT_EQ(slot.leadRight, int((1.0f - a) * 16.0f));
    EXPECT_EQ(slot.leadRight, 4);
    EXPECT_EQ(slot.leadLeft, 0);
    EXPECT_NEAR(slot.gainLeft / slot.gainRight, a, 1e-5);
    EXPECT_EQ(slot.muffle, 0.0f);
}

TEST_F(MixerTest, SourceBehindIsMuffledToItsAverage) {
    int sound = add(constant(5000, 1600));
    const SoundSlot& slot = soundMixer.slots[sound];
    Vec3 behind{0, 0, -0.5f};
    play(sound, behind);
    advanceManualClock(1);
    mix();
    EXPECT_FLOAT_EQ(slot.muffle, 1.0f);
    EXPECT_FLOAT_EQ(slot.dryLevel, 0.0f);
    int sample = int(1600 * ((75.0f - 0.5f) * (1.0f / 75.0f)));
    // The 16-sample average builds up over the first 16 frames, then holds.
    EXPECT_EQ(left(0), int(float(sample) * 0.0625f));
    EXPECT_EQ(left(7), int(float(8 * sample) * 0.0625f));
    EXPECT_EQ(left(15), sample);
    EXPECT_EQ(right(300), sample);
}

TEST_F(MixerTest, DistanceFadesAndBeyondRangeIsSilentButEndsOnTime) {
    int nearSound = add(constant(3000, 1000));
    int farSound = add(constant(3000, 1000));
    Vec3 nearSource{0, 0, 37.5f};
    Vec3 farSource{0, 0, 80};
    play(nearSound, nearSource);
    play(farSound, farSource);
    advanceManualClock(200);
    mix();
    EXPECT_EQ(left(10), 500) << "half way to the range: half the gain";
    EXPECT_EQ(soundMixer.slots[farSound].gainLeft, 0.0f);
    EXPECT_EQ(soundMixer.slots[farSound].readPosition, 1023) << "it runs on silently";
    mix();
    EXPECT_TRUE(isSoundPlaying(nearSound));
    EXPECT_TRUE(isSoundPlaying(farSound));
    mix();  // reads from 2046: 3000 − 16 is reached in this block
    EXPECT_FALSE(isSoundPlaying(nearSound));
    EXPECT_FALSE(isSoundPlaying(farSound));
    EXPECT_EQ(soundMixer.slots[farSound].readPosition, 2984);
}

TEST_F(MixerTest, StartIsDelayedByTwoMillisecondsPerUnit) {
    int sound = add(constant(20000, 1000));
    Vec3 source{0, 0, 50};
    play(sound, source);
    advanceManualClock(99);
    mix();
    EXPECT_TRUE(silent());
    EXPECT_EQ(soundMixer.slots[sound].readPosition, 0);
    EXPECT_TRUE(isSoundPlaying(sound)) << "waiting counts as playing";
    advanceManualClock(1);
    mix();
    EXPECT_NE(left(0), 0);
}

TEST_F(MixerTest, DopplerFollowsTheChangeOfDistancePerBlock) {
    int sound = add(ramp(20000));
    const SoundSlot& slot = soundMixer.slots[sound];
    Vec3 source{0, 0, 30};
    play(sound, source);
    advanceManualClock(60);
    mix();
    EXPECT_FLOAT_EQ(slot.rate, 1.0f);
    source.z = 20;  // approaching by 10 units
    publish(source);
    mix();
    EXPECT_FLOAT_EQ(slot.rate, 1.1f);
    EXPECT_EQ(slot.readPosition, int(1023.0f + 1023.0f * 1.1f));
    int start = slot.readPosition;
    source.z = 30;  // receding by 10 units
    publish(source);
    mix();
    EXPECT_FLOAT_EQ(slot.rate, 0.9f);
    EXPECT_EQ(slot.readPosition, int(float(start) + 1023.0f * 0.9f));
}

TEST_F(MixerTest, RateBelowZeroEndsTheSound) {
    int sound = add(ramp(20000));
    Vec3 source{0, 0, 1};
    play(sound, source);
    advanceManualClock(2);
    mix();
    source.z = 300;  // receding by 299 units: rate −1.99
    publish(source);
    mix();
    EXPECT_FALSE(isSoundPlaying(sound));
}

TEST_F(MixerTest, LoudSoundsAreClampedSymmetrically) {
    Vec3 here = listener;
    for (int16_t value : {int16_t(30000), int16_t(-30000)}) {
        closeSoundOutput();
        openSoundOutput();
        int a = add(constant(5000, value));
        int b = add(constant(5000, value));
        play(a, here);
        play(b, here);
        mix();
        int expected = value > 0 ? 32767 : -32767;
        EXPECT_EQ(left(3), expected);
        EXPECT_EQ(right(3), expected);
    }
}

TEST_F(MixerTest, ShortSoundsEndAtOnce) {
    int sixteen = add(constant(16, 20000));
    int seventeen = add(constant(17, 20000));
    int empty = add({});
    Vec3 here = listener;
    play(sixteen, here);
    play(empty, here);
    mix();
    EXPECT_TRUE(silent());
    EXPECT_FALSE(isSoundPlaying(sixteen));
    EXPECT_FALSE(isSoundPlaying(empty));
    play(seventeen, here);
    mix();
    EXPECT_EQ(left(0), 20000) << "one frame, then the end";
    EXPECT_EQ(left(1), 0);
    EXPECT_FALSE(isSoundPlaying(seventeen));
}

TEST_F(MixerTest, RestartBeginsAgainWithFreshFilterState) {
    int sound = add(ramp(20000));
    const SoundSlot& slot = soundMixer.slots[sound];
    Vec3 behind{0, 0, -1};
    play(sound, behind);
    advanceManualClock(2);
    mix();
    mix();
    EXPECT_NE(slot.historySumLeft, 0);
    play(sound, behind);
    EXPECT_EQ(slot.readPosition, 0);
    EXPECT_EQ(slot.historySumLeft, 0);
    EXPECT_EQ(slot.historyIndexLeft, 0);
    EXPECT_EQ(slot.muffle, 0.0f);
    EXPECT_EQ(slot.historyLeft[5], 0);
}

TEST_F(MixerTest, TheMasterVolumeScalesTheFinishedMixOnly) {
    int sound = add(constant(5000, 3001));
    Vec3 source{};  // at the listener: both ears at full gain
    play(sound, source);
    mix();
    ASSERT_EQ(left(10), 3001);
    setSoundVolume(50);
    mix();
    EXPECT_EQ(left(10), 1500);  // truncated towards zero, after every other gain
    EXPECT_EQ(right(10), 1500);
    setSoundVolume(0);
    mix();
    EXPECT_TRUE(silent());
    EXPECT_TRUE(isSoundPlaying(sound));  // a silenced sound still runs its course
    setSoundVolume(100);
}

TEST_F(MixerTest, TheClockWrapDoesNotHoldASoundBack) {
    setManualClock(0xFFFFFFF0u);
    int sound = add(constant(5000, 1000));
    Vec3 source{0, 0, 20};  // 40 ms: starts after the wrap
    play(sound, source);
    mix();
    EXPECT_TRUE(silent());
    advanceManualClock(40);
    mix();
    EXPECT_NE(left(0), 0);
}

}  // namespace
