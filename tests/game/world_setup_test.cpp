#include "game/world_setup.h"

#include "app/settings.h"
#include "audio/music_player.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The song starts before the settings are known; the world set-up is where
// the Music switch takes effect.
void startSongThenSetUpWorld(int music) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ScratchMedia media;
    openMusicDevice();
    playMusic();
    gameSettings.music = music;
    EXPECT_TRUE(setupWorld());
}

TEST(WorldSetup, MusicOffClosesTheSongStartedBeforeTheLauncher) {
    startSongThenSetUpWorld(0);
    EXPECT_FALSE(musicPlayer.deviceReady);
}

TEST(WorldSetup, MusicOnLeavesTheSongPlaying) {
    startSongThenSetUpWorld(1);
    EXPECT_TRUE(musicPlayer.deviceReady);
    closeMusic();
}

}  // namespace
