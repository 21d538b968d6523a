#include "audio/music_player.h"
#include "support/audio_files.h"
#include "platform/midi_output.h"
#include "platform/periodic_timer.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace {

std::mutex recordedLock;
std::vector<uint32_t> recorded;

void record(uint32_t message) {
    std::lock_guard<std::mutex> guard(recordedLock);
    recorded.push_back(message);
}

std::vector<uint32_t> takeRecorded() {
    std::lock_guard<std::mutex> guard(recordedLock);
    std::vector<uint32_t> out;
    out.swap(recorded);
    return out;
}

std::vector<uint32_t> silenceMessages() {
    std::vector<uint32_t> out;
    for (uint32_t channel = 0; channel < 16; ++channel) {
        out.push_back(0x78B0 + channel);
        out.push_back(0x7BB0 + channel);
    }
    return out;
}

uint32_t noteOn(int key) { return 0x90u | uint32_t(key) << 8 | 1u << 16; }

std::string noteEvent(uint32_t delta, int key) { return vlq(delta) + std::string{'\x90', char(key), 1}; }

// Events at ticks 0, 10, 11 and 25; ten ticks per period (no tempo).
std::string testSong() {
    return midiFile(0, 1, 96, {noteEvent(0, 1) + noteEvent(10, 2) + noteEvent(1, 3) + noteEvent(14, 4) + endOfTrack()});
}

struct SequencerTest : ::testing::Test {
    ScratchMedia media;
    bool manual = false;
    void useManualTimer() {
        manual = true;
        setManualTimer(true);
    }
    void SetUp() override {
        setMidiSink(record);
        takeRecorded();
        media.write("vexar.mid", testSong());
        openMusicDevice();
    }
    void TearDown() override {
        if (manual) {  // nobody else would run the timer's half of the handshake
            musicPlayer.songPlaying.store(false);
            tickManualTimer();
        }
        closeMusic();
        setManualTimer(false);
        setMidiSink(nullptr);
    }
};

TEST_F(SequencerTest, EventsGoOutInTheirPeriodsAndTheSongStartsOver) {
    useManualTimer();
    playMusic();
    ASSERT_TRUE(musicPlayer.songPlaying.load());
    ASSERT_EQ(musicPlayer.eventCount, 4);
    const std::vector<std::vector<uint32_t>> periods = {
        {noteOn(1)},             // ticks below 10
        {noteOn(2), noteOn(3)},  // the event exactly at 10 waited for this period
        {noteOn(4)},             // the last one: the song starts over
        {noteOn(1)},             // 10 ms later, from tick 0
        {noteOn(2), noteOn(3)},
    };
    for (const auto& expected : periods) {
        ASSERT_TRUE(tickManualTimer());
        EXPECT_EQ(takeRecorded(), expected);
    }
}

TEST_F(SequencerTest, ClearedFlagMakesTheTimerSilenceAndStop) {
    useManualTimer();
    playMusic();
    ASSERT_TRUE(tickManualTimer());
    takeRecorded();
    musicPlayer.songPlaying.store(false);  // the main thread's half of the handshake
    EXPECT_FALSE(musicPlayer.songStopped.load());
    ASSERT_TRUE(tickManualTimer());
    EXPECT_EQ(takeRecorded(), silenceMessages());
    EXPECT_TRUE(musicPlayer.songStopped.load());
    EXPECT_FALSE(tickManualTimer()) << "the timer killed itself";
}

TEST_F(SequencerTest, StopHandshakeWithTheRealTimer) {
    playMusic();
    sleepMilliseconds(60);
    closeMusic();
    std::vector<uint32_t> sent = takeRecorded();
    ASSERT_GE(sent.size(), 2u * 32u);
    // The timer's own silence, then closeMusic's.
    std::vector<uint32_t> tail(sent.end() - 64, sent.end());
    std::vector<uint32_t> twice = silenceMessages();
    twice.insert(twice.end(), twice.begin(), twice.end());
    EXPECT_EQ(tail, twice);
    EXPECT_EQ(sent.front(), noteOn(1));
    EXPECT_FALSE(musicPlayer.deviceReady);
    EXPECT_FALSE(musicPlayer.songPlaying.load());
    EXPECT_TRUE(musicPlayer.songStopped.load());
}

TEST_F(SequencerTest, PlayWhilePlayingRestartsFromTheTop) {
    playMusic();
    sleepMilliseconds(30);
    playMusic();
    EXPECT_TRUE(musicPlayer.songPlaying.load());
    EXPECT_FALSE(musicPlayer.songStopped.load());
    sleepMilliseconds(30);
    closeMusic();
    std::vector<uint32_t> sent = takeRecorded();
    int starts = 0;
    for (uint32_t m : sent) starts += m == noteOn(1);
    EXPECT_GE(starts, 2);
}

TEST_F(SequencerTest, NothingWaitsWhenNoTimerStarted) {
    media.write("vexar.mid", midiFile(2, 1, 96, {noteEvent(0, 1)}));
    playMusic();  // format 2: not loaded, no timer
    EXPECT_FALSE(musicPlayer.songPlaying.load());
    EXPECT_TRUE(musicPlayer.songStopped.load());
    closeMusic();  // would hang if it waited for a timer
    EXPECT_EQ(takeRecorded(), silenceMessages());
}

TEST_F(SequencerTest, CloseTwiceIsHarmlessAndPlayAfterCloseDoesNothing) {
    closeMusic();
    takeRecorded();
    closeMusic();
    EXPECT_TRUE(takeRecorded().empty());
    playMusic();
    EXPECT_FALSE(musicPlayer.songPlaying.load());
}

TEST_F(SequencerTest, MissingSongPlaysNothingButRuns) {
    std::remove(media.path("vexar.mid").c_str());
    useManualTimer();
    playMusic();
    EXPECT_TRUE(musicPlayer.songPlaying.load());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(tickManualTimer());
    EXPECT_TRUE(takeRecorded().empty());
}

}  // namespace
