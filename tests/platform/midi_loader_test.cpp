// The synthesiser's loader thread with real FluidSynth into SDL's "disk" driver.
#include "audio/music_player.h"
#include "audio/song_presets.h"
#include "support/audio_files.h"
#include "platform/midi_output.h"
#include "platform/soundfont.h"
#include "platform/periodic_timer.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

struct MidiLoaderTest : ::testing::Test {
    ScratchMedia media;
    void SetUp() override {
        if (findSoundFont().empty())
            GTEST_SKIP() << "no General MIDI SoundFont installed (make deps installs one)";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", media.path("music.raw").c_str(), 1);
    }
    void TearDown() override {
        musicPlayer.songPlaying.store(false);
        closeMidiOutput();
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }
    static bool waitUntilSettled() {
        for (int waited = 0; !midiOutputSettled() && waited < 10000; waited += 10) sleepMilliseconds(10);
        return midiOutputSettled();
    }
};

TEST_F(MidiLoaderTest, TheSongWaitsAtItsStartUntilTheSynthesiserIsReady) {
    std::string track = vlq(0) + std::string("\xC0\x26", 2) + vlq(0) + "\x90\x3C\x70" + vlq(30) +
                        std::string("\x80\x3C\x00", 3) + endOfTrack();
    media.write("vexar.mid", midiFile(0, 1, 96, {track}));
    openMidiOutput();
    // Nothing announced yet: the loader waits for the presets before it reads the SoundFont.
    ASSERT_FALSE(midiOutputSettled());
    ASSERT_TRUE(loadSong());
    musicPlayer.nextEvent = 0;
    musicPlayer.elapsedTicks = 0;
    musicPlayer.songPlaying.store(true);
    for (int period = 0; period < 5; ++period) onMusicTimer(1);
    EXPECT_EQ(musicPlayer.elapsedTicks, 0);
    EXPECT_EQ(musicPlayer.nextEvent, 0);

    announceMidiPresets(songPresets(musicPlayer.events, musicPlayer.eventCount));
    ASSERT_TRUE(waitUntilSettled());
    EXPECT_TRUE(midiOutputAudible());
    onMusicTimer(1);  // the first period sends the program change and the note at tick 0
    EXPECT_EQ(musicPlayer.elapsedTicks, 10);
    EXPECT_EQ(musicPlayer.nextEvent, 2);
}

TEST_F(MidiLoaderTest, ClosingDuringTheLoadEndsItAndAnotherOpenWorks) {
    openMidiOutput();
    closeMidiOutput();  // before any announcement: must not wait for one
    EXPECT_TRUE(midiOutputSettled());
    EXPECT_FALSE(midiOutputAudible());

    openMidiOutput();
    announceMidiPresets({});  // no song: a synthesiser with nothing loaded
    ASSERT_TRUE(waitUntilSettled());
    EXPECT_TRUE(midiOutputAudible());
    closeMidiOutput();
    EXPECT_FALSE(midiOutputAudible());
}

TEST_F(MidiLoaderTest, APlayersSoundFontInTheMediaFolderComesFirstAndABrokenOneIsPassedOver) {
    std::string installed = findSoundFont();
    media.write("broken.sf2", "RIFF, but not a SoundFont");
    std::filesystem::create_symlink(installed, media.path("mine.sf2"));
    std::vector<std::string> candidates = soundFontCandidates();
    ASSERT_GE(candidates.size(), 3u);
    EXPECT_EQ(candidates[0], media.path("broken.sf2"));  // the first by name
    EXPECT_EQ(findSoundFont(), media.path("broken.sf2"));

    openMidiOutput();
    announceMidiPresets({{0, 0, 0}});
    ASSERT_TRUE(waitUntilSettled());
    EXPECT_TRUE(midiOutputAudible());  // loaded from the next candidate
}

}  // namespace
