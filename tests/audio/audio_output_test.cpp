// The mixer through SDL's real audio thread, captured by the "disk" driver.
#include "audio/sound_mixer.h"
#include "support/audio_files.h"
#include "platform/periodic_timer.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Capture {
    std::vector<int16_t> left, right;
};

// Plays a centred reference sound together with one to the listener's left
// and returns the captured output.
Capture playAgainstReference(ScratchMedia& media, float leftDistance) {
    std::string capturePath = media.path("capture.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capturePath.c_str(), 1);
    const Vec3 listener{0, 0, 0};
    const Vec3 facing{0, 0, 1};
    setHearingRange(200.0f);
    EXPECT_EQ(openSoundOutput(), 0) << "the disk driver must open";
    media.write("dc.wav", monoWav(std::vector<int16_t>(22050, 4000)));
    int reference = loadSound("dc.wav");
    int placed = loadSound("dc.wav");
    Vec3 centre{}, onLeft{leftDistance, 0, 0};  // facing +z with y up: +x is the left
    sleepMilliseconds(100);
    playSound(reference, {centre, listener, facing});
    playSound(placed, {onLeft, listener, facing});
    sleepMilliseconds(900);
    closeSoundOutput();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");

    std::vector<int16_t> samples = readSamples(capturePath);
    Capture capture;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        capture.left.push_back(samples[i]);
        capture.right.push_back(samples[i + 1]);
    }
    return capture;
}

long firstWhere(const Capture& c, bool (*test)(int left, int right)) {
    for (size_t i = 0; i < c.left.size(); ++i)
        if (test(c.left[i], c.right[i])) return long(i);
    return -1;
}

// Frames from the reference's start to the placed sound's start.
long placedDelay(const Capture& c) {
    long reference = firstWhere(c, [](int, int right) { return right != 0; });
    long placed = firstWhere(c, [](int left, int right) { return left > right; });
    EXPECT_GE(reference, 0);
    EXPECT_GE(placed, 0);
    return placed - reference;
}

double energy(const std::vector<int16_t>& channel) {
    double sum = 0;
    for (int16_t s : channel) sum += double(s) * s;
    return sum;
}

TEST(AudioOutputTest, LeftSourceIsLouderOnTheLeftAndLaterWhenFarther) {
    long nearDelay, farDelay;
    {
        ScratchMedia media;
        Capture c = playAgainstReference(media, 0.5f);
        ASSERT_GT(c.left.size(), size_t(4 * kMixBlockFrames));
        EXPECT_GT(energy(c.left), 1.5 * energy(c.right));
        nearDelay = placedDelay(c);
    }
    {
        ScratchMedia media;
        Capture c = playAgainstReference(media, 150.0f);  // 0.3 s of travel
        EXPECT_GT(energy(c.left), energy(c.right));
        farDelay = placedDelay(c);
    }
    // Start times are honoured at block boundaries: 1 ms of travel waits at
    // most one block, 300 ms at least one (about three unless the machine stalls).
    EXPECT_LE(nearDelay, kMixBlockFrames);
    EXPECT_GE(farDelay, kMixBlockFrames);
    EXPECT_GT(farDelay, nearDelay);
    EXPECT_EQ(farDelay % kMixBlockFrames, 0);
}

TEST(AudioOutputTest, NoDeviceMeansASilentGame) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_NE(openSoundOutput(), 0);
    EXPECT_TRUE(soundMixer.isOpen.load());
    closeSoundOutput();
    EXPECT_FALSE(soundMixer.isOpen.load());
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
