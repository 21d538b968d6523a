#include "game/world_setup.h"

#include "audio/music_player.h"
#include "audio/sound_mixer.h"
#include "render/gl1/gl.h"
#include "support/error_capture.h"
#include "support/gl_fixture.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

float columnLength(const Matrix4& m, int column) {
    return std::sqrt(m[4 * column] * m[4 * column] + m[4 * column + 1] * m[4 * column + 1] +
                     m[4 * column + 2] * m[4 * column + 2]);
}

using WorldPlacement = GlTest;

TEST_F(WorldPlacement, BodiesLieInTheirSquaresAndRadarsStandOnBodiesFourToSeven) {
    for (uint32_t seed : {1u, 42u, 20260101u, 0xFFFFFFFFu}) {
        World world;
        gameSrand(world.random, seed);
        placeDeathStarsAndStars(world);
        placeEnemies(world);
        for (const SceneObject& body : world.deathStars) {
            const Vec3 p = matrixPosition(body.matrix);
            EXPECT_GE(std::fabs(p.x), 200.0f) << seed;
            EXPECT_LE(std::fabs(p.x), 600.0f) << seed;
            EXPECT_GE(std::fabs(p.z), 200.0f) << seed;
            EXPECT_LE(std::fabs(p.z), 600.0f) << seed;
            EXPECT_LE(std::fabs(p.y), 100.0f) << seed;
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_GE(columnLength(body.matrix, axis), 10.0f - 1e-4f) << seed;
                EXPECT_LE(columnLength(body.matrix, axis), 20.0f + 1e-4f) << seed;
            }
        }
        for (int k = 0; k < 4; ++k) {
            const Vec3 radar = matrixPosition(world.enemies[4 + k].matrix);
            const Vec3 body = matrixPosition(world.deathStars[4 + k].matrix);
            EXPECT_EQ(radar.x, body.x);
            EXPECT_EQ(radar.y, body.y + 22.0f);
            EXPECT_EQ(radar.z, body.z);
            EXPECT_EQ(world.enemies[4 + k].side, kSideEnemy);
        }
        EXPECT_EQ(matrixPosition(world.enemies[3].matrix).x, -350.0f);
        releaseWorld(world);
    }
}

TEST(StarField, StarsNearTheAxisArePushedWellAboveOrBelowThePlane) {
    int nearAxis = 0;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        RandomSource random;
        gameSrand(random, seed);
        Star stars[kStarCount];
        placeStars(random, stars);
        for (const Star& star : stars) {
            const Vec3 p = star.position;
            EXPECT_GE(star.grey, 0.5f);
            EXPECT_LE(star.grey, 1.0f);
            if (std::fabs(p.x) + std::fabs(p.z) < 200.0f) {
                ++nearAxis;
                EXPECT_GE(std::fabs(p.y), 300.0f);
                EXPECT_LE(std::fabs(p.y), 700.0f);
            } else {
                EXPECT_LE(std::fabs(p.y), 500.0f);
            }
        }
    }
    EXPECT_GT(nearAxis, 0) << "no seed put a star near the axis: the rule went untested";
}

TEST(StarField, TheSameSeedGivesTheSameLayoutAndDrawsFourOrFiveNumbersAStar) {
    RandomSource a, b;
    gameSrand(a, 7);
    gameSrand(b, 7);
    Star first[kStarCount], second[kStarCount];
    placeStars(a, first);
    placeStars(b, second);
    int draws = 0;
    for (int i = 0; i < kStarCount; ++i) {
        EXPECT_EQ(first[i].position.y, second[i].position.y);
        const Vec3 p = first[i].position;
        draws += std::fabs(p.x) + std::fabs(p.z) < 200.0f ? 5 : 4;
    }
    RandomSource counted;
    gameSrand(counted, 7);
    for (int i = 0; i < draws; ++i) gameRand(counted);
    EXPECT_EQ(counted.state, a.state);
}

// The song starts before the settings are known; the world set-up is where
// the Music switch takes effect.
void startSongThenSetUpWorld(bool music) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ScratchMedia media;  // empty: every model and sound is missing, and reported
    ErrorCapture errors;
    openMusicDevice();
    playMusic();
    World world;
    WorldSettings settings;
    settings.music = music;
    EXPECT_TRUE(setupWorld(world, settings));
    EXPECT_EQ(world.state.scanSound, kSoundNotOpened);
    EXPECT_EQ(world.state.playing, 1);
    releaseWorld(world);
    closeSoundOutput();
}

// The stereo overlay with its four corners at the given x, y and u, v.
std::string overlayModel(const float (&corners)[4][4]) {
    std::string text = "A3F\nVERSION { 1.0 }\nVERTICES {\n  POSITION_NORMAL_TEXCOORDS 4\n";
    for (const auto& c : corners)
        text += std::to_string(c[0]) + " " + std::to_string(c[1]) + " 0 0 0 1 " +
                std::to_string(c[2]) + " " + std::to_string(c[3]) + "\n";
    return text + "}\nFACES {\n  2\n  0 1 3 0\n  0 3 2 0\n}\nMATERIALS {\n  1\n  {\n    NAME overlay\n"
                  "    DIFFUSE 1 1 1 0.5\n  }\n}\n";
}

bool overlayTakesNearestTexel(const std::string& model) {
    ScratchMedia media;
    ErrorCapture errors;  // the rest of the media is missing
    media.write("blueScreen.a3f", model);
    World world;
    WorldSettings settings;
    settings.stereo = true;
    EXPECT_TRUE(setupWorld(world, settings));
    const bool nearest = world.state.overlayTexelsOnPixels;
    releaseWorld(world);
    closeSoundOutput();
    return nearest;
}

TEST_F(WorldPlacement, TheOverlayTakesTheNearestTexelOnlyWhereEachLiesOnItsOwnPixel) {
    const float wholeBox[4][4] = {{-32, -24, 0, 0}, {32, -24, 1, 0}, {-32, 24, 0, 1}, {32, 24, 1, 1}};
    EXPECT_TRUE(overlayTakesNearestTexel(overlayModel(wholeBox)));
    const float leftHalf[4][4] = {{-32, -24, 0, 0}, {0, -24, 0.5f, 0}, {-32, 24, 0, 1}, {0, 24, 0.5f, 1}};
    EXPECT_TRUE(overlayTakesNearestTexel(overlayModel(leftHalf)));
    const float squeezed[4][4] = {{-32, -24, 0, 0}, {0, -24, 1, 0}, {-32, 24, 0, 1}, {0, 24, 1, 1}};
    EXPECT_FALSE(overlayTakesNearestTexel(overlayModel(squeezed)));
    const float flipped[4][4] = {{-32, -24, 0, 1}, {32, -24, 1, 1}, {-32, 24, 0, 0}, {32, 24, 1, 0}};
    EXPECT_FALSE(overlayTakesNearestTexel(overlayModel(flipped)));
}

TEST_F(WorldPlacement, MusicOffClosesTheSongStartedBeforeTheLauncher) {
    startSongThenSetUpWorld(false);
    EXPECT_FALSE(musicPlayer.deviceReady);
}

TEST_F(WorldPlacement, MusicOnLeavesTheSongPlaying) {
    startSongThenSetUpWorld(true);
    EXPECT_TRUE(musicPlayer.deviceReady);
    closeMusic();
}

// A page plays one game after another in the same world: what a game left
// in it must not reach the next.
TEST(WorldRelease, LeavesTheWorldAsAProgramStartsWithIt) {
    auto world = std::make_unique<World>();
    world->state.kills = 700;
    world->state.nextShot = 3;
    world->gameSeconds = 40.0f;
    world->soundsPlaying = 0x5;
    world->camera.eye = {1.0f, 2.0f, 3.0f};
    world->explosion.elapsed = 0.5f;
    world->explosionPasses[1].count = 9;
    world->fadeColour[0] = 0.3f;
    releaseWorld(*world);
    const auto fresh = std::make_unique<World>();
    EXPECT_EQ(world->state.kills, fresh->state.kills);
    EXPECT_EQ(world->state.nextShot, fresh->state.nextShot);
    EXPECT_EQ(world->gameSeconds, fresh->gameSeconds);
    EXPECT_EQ(world->soundsPlaying, fresh->soundsPlaying);
    EXPECT_EQ(world->camera.eye.x, fresh->camera.eye.x);
    EXPECT_EQ(world->explosion.elapsed, fresh->explosion.elapsed);
    EXPECT_EQ(world->explosionPasses[1].count, fresh->explosionPasses[1].count);
    EXPECT_EQ(world->fadeColour[0], fresh->fadeColour[0]);
}

}  // namespace
