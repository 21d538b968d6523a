// The song through the real synthesiser into SDL's "disk" audio driver.
#include "audio/music_player.h"
#include "support/audio_files.h"
#include "platform/midi_output.h"
#include "platform/soundfont.h"
#include "platform/periodic_timer.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(FluidSynthTest, ShortSongMakesSound) {
    if (findSoundFont().empty())
        GTEST_SKIP() << "no General MIDI SoundFont installed (make deps installs one)";
    ScratchMedia media;
    std::string capturePath = media.path("music.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capturePath.c_str(), 1);
    std::string track = vlq(0) + std::string("\xC0\x00", 2) + vlq(0) + "\x90\x3C\x70" + vlq(300) +
                        std::string("\x80\x3C\x00", 3) + endOfTrack();
    media.write("vexar.mid", midiFile(0, 1, 96, {track}));

    openMusicDevice();
    playMusic();
    // The SoundFont loads off the caller's thread; the song waits for it.
    for (int waited = 0; !midiOutputSettled() && waited < 5000; waited += 10) sleepMilliseconds(10);
    EXPECT_TRUE(midiOutputAudible());
    sleepMilliseconds(700);
    closeMusic();
    EXPECT_FALSE(midiOutputAudible());
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");

    std::vector<int16_t> samples = readSamples(capturePath);
    ASSERT_GT(samples.size(), 44100u / 2) << "the synthesiser's device played";
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 500);
}

}  // namespace
