// The audio threads against the main thread; run under ThreadSanitizer by
// `make test-tsan`, where any unsynchronised access fails the run.
#include "audio/music_player.h"
#include "audio/sound_mixer.h"
#include "support/audio_files.h"
#include "platform/midi_output.h"
#include "platform/soundfont.h"
#include "platform/periodic_timer.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Restarts sounds as fast as a game could while the audio thread mixes them.
void hammerSounds(const Vec3* sources, Clock::time_point until) {
    for (int i = 0; Clock::now() < until; ++i) {
        int sound = i % 3;
        if (!isSoundPlaying(sound) || i % 7 == 0) playSound(sound, {sources[sound], {0, 0, 0}, {0, 0, 1}});
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
}

TEST(AudioThreadsTest, PlaySoundAgainstTheMixerOnTheDummyDriver) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ScratchMedia media;
    static const Vec3 sources[] = {{0, 0, 0}, {5, 0, -5}, {-20, 1, 3}};
    setHearingRange(75.0f);
    ASSERT_EQ(openSoundOutput(), 0) << "SDL's dummy audio driver must open";
    media.write("a.wav", monoWav(std::vector<int16_t>(1500, 3000)));
    media.write("b.wav", monoWav(std::vector<int16_t>(4000, -2000)));
    ASSERT_EQ(loadSound("a.wav"), 0);
    ASSERT_EQ(loadSound("b.wav"), 1);
    ASSERT_EQ(loadSound("a.wav"), 2);

    auto until = Clock::now() + std::chrono::milliseconds(1200);
    std::thread game(hammerSounds, sources, until);
    // A late load while the mixer runs: published only once complete.
    ASSERT_EQ(loadSound("b.wav"), 3);
    while (Clock::now() < until) {
        playSound(3, {sources[1], {0, 0, 0}, {0, 0, 1}});
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    game.join();
    closeSoundOutput();
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_FALSE(soundMixer.isOpen);
}

// The game's side of a frame loop: sources and the listener move every few
// milliseconds and are published to the mixer; ended sounds start again.
// Returns how many sounds ended (and so were mixed) while all this went on.
int moveAndPublish(Vec3* sources, Vec3& listener, Vec3& facing, Clock::time_point until) {
    int ended = 0;
    for (int frame = 0; Clock::now() < until; ++frame) {
        float t = float(frame) * 0.05f;
        for (int i = 0; i < 3; ++i) sources[i] = Vec3{std::sin(t + float(i)) * 20, 0, std::cos(t) * 20};
        listener.x = std::sin(t * 0.3f) * 5;
        facing = Vec3{std::sin(t * 0.7f), 0, std::cos(t * 0.7f)};
        SoundPositions positions{{sources[0], sources[1], sources[2]}, listener, facing};
        publishSoundPositions(positions);
        for (int i = 0; i < 3; ++i)
            if (!isSoundPlaying(i)) {
                ++ended;
                playSound(i, {sources[i], listener, facing});
            }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    return ended;
}

TEST(AudioThreadsTest, MovingSourcesPublishedAgainstTheMixerOnTheDummyDriver) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ScratchMedia media;
    // Owned by the game thread once it runs.
    Vec3 listener{0, 0, 0};
    Vec3 facing{0, 0, 1};
    Vec3 sources[3];
    setHearingRange(75.0f);
    ASSERT_EQ(openSoundOutput(), 0) << "SDL's dummy audio driver must open";
    media.write("short.wav", monoWav(std::vector<int16_t>(1500, 3000)));
    for (int i = 0; i < 3; ++i) ASSERT_EQ(loadSound("short.wav"), i);
    for (int i = 0; i < 3; ++i) playSound(i, {sources[i], listener, facing});

    int ended = 0;
    auto until = Clock::now() + std::chrono::milliseconds(1200);
    std::thread game([&] { ended = moveAndPublish(sources, listener, facing, until); });
    game.join();
    closeSoundOutput();
    unsetenv("SDL_AUDIODRIVER");
    // A sound of 1500 samples lasts about 0.14 s, so several ended in 1.2 s.
    EXPECT_GT(ended, 3) << "the audio thread must have mixed while the positions moved";
}

std::atomic<int> messagesSent{0};
void countMessage(uint32_t) { messagesSent.fetch_add(1, std::memory_order_relaxed); }

TEST(AudioThreadsTest, MusicStopHandshakeWithTheTimerThread) {
    ScratchMedia media;
    std::string track;
    for (int i = 0; i < 40; ++i) track += vlq(3) + std::string{'\x90', char(40 + i), 64};
    media.write("vexar.mid", midiFile(0, 1, 96, {track + endOfTrack()}));
    setMidiSink(countMessage);
    for (int round = 0; round < 4; ++round) {
        openMusicDevice();
        playMusic();
        sleepMilliseconds(25);
        playMusic();  // stop and restart through the handshake
        sleepMilliseconds(25);
        closeMusic();
        EXPECT_TRUE(musicPlayer.songStopped.load());
    }
    setMidiSink(nullptr);
    EXPECT_GT(messagesSent.load(), 4 * 64);
}

// The SoundFont loader thread against the main thread and the music timer:
// the song is sent while the synthesiser loads, and the output is closed
// both in the middle of a load and after it.
TEST(AudioThreadsTest, SoundFontLoaderAgainstTheTimerAndTheMainThread) {
    if (findSoundFont().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ScratchMedia media;
    std::string track;
    for (int i = 0; i < 40; ++i) track += vlq(3) + std::string{'\x90', char(40 + i), 64};
    media.write("vexar.mid", midiFile(0, 1, 96, {track + endOfTrack()}));
    for (int round = 0; round < 3; ++round) {
        openMusicDevice();
        playMusic();
        if (round > 0) sleepMilliseconds(200);  // the first round closes during the load
        closeMusic();
        EXPECT_TRUE(midiOutputSettled());
        EXPECT_FALSE(midiOutputAudible());
    }
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
