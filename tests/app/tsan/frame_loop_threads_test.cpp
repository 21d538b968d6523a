// The frame loop with every thread the game runs beside it, for
// ThreadSanitizer: the sound mixer on SDL's dummy audio device, the song on
// the music timer with its SoundFont loaded by a thread of its own, and the
// world updated, its sounds published to the mixer and drawn, frame after
// frame, while shots and their sounds fly.
#include "app/frame_clock.h"
#include "app/game_session.h"
#include "app/input.h"
#include "app/program.h"
#include "app/settings.h"
#include "audio/music_player.h"
#include "game/world_setup.h"
#include "platform/window.h"
#include "render/world_drawing.h"
#include "support/scratch_media.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

// The real media, each file linked into a scratch folder beside a game.ini
// of the test's own.
void linkRealMedia(const ScratchMedia& media) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(std::string(VEXAR_BINARY_DIR) + "/media"))
        fs::create_symlink(entry.path(), media.path(entry.path().filename().string()));
}

TEST(FrameLoopThreads, TheWorldPlaysWhileTheSoundAndMusicThreadsRun) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ScratchMedia media;
    linkRealMedia(media);
    media.write("game.ini", "[Game]\nMusic=1\n");
    ASSERT_TRUE(startWindowSystem());
    SDL_Event start{};  // the launcher's Start, by its Return key
    start.type = SDL_KEYDOWN;
    start.key.keysym.sym = SDLK_RETURN;
    SDL_PushEvent(&start);
    openMusicDevice();
    playMusic();
    ASSERT_TRUE(initApplication(0, 0, 0, 0));
    GameStart game;
    game.world.music = true;
    ASSERT_TRUE(setUpGameWorld(gameWorld, game));
    prepareWorldDrawing(gameWorld);

    inputState.keys[kKeySpace] = 1;  // firing, so shots and their sounds come and go
    inputState.pointerX = 0.5f;      // and turning, so every source moves
    int shotsSeen = 0;
    for (int frame = 0; frame < 120; ++frame) {
        runFrame(30);
        for (const ShotObject& shot : gameWorld.shots) shotsSeen += shot.object.side != kSideNone;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(musicPlayer.songPlaying.load());
    finishProgram();
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_GT(shotsSeen, 0);
}

}  // namespace
