#pragma once
#include "audio/sound_mixer.h"
#include "game/explosion.h"
#include "math/camera.h"
#include "math/random.h"
#include "model/scene_object.h"
#include "overlay/text_overlay.h"

#include <cstdint>

constexpr int kEnemyCount = 8;  // members 0-3 the droids, 4-7 the radars
constexpr int kDroidCount = 4;
constexpr int kDeathStarCount = 8;
constexpr int kSolarPanelCount = 4;
constexpr int kShotCount = 4;  // one ring for the player and the radars

// Object sides.
constexpr int32_t kSideNone = 0;    // inactive or destroyed: not drawn, never hit
constexpr int32_t kSidePlayer = 1;
constexpr int32_t kSideEnemy = 2;

// What the world is set up with, taken from the settings once.
struct WorldSettings {
    bool music = false;
    bool stereo = false;  // "Lights", the launcher's "3D"
    bool highQualityTextures = false;
    int width = 640, height = 480;  // the frame the stereo mode copies
};

// A point of the star field, placed once at set-up.
constexpr int kStarCount = 100;
struct Star {
    float grey = 0.0f;
    Vec3 position;
};

struct GameState {
    int32_t kills = 0;
    int32_t playing = 0;   // 1 while the player may steer the throttle, fire and be rammed
    int32_t nextShot = 0;  // the ring slot used last
    // Sound indexes, or the negative code of a load that failed.
    int32_t destroyedSound = -1;
    int32_t playerFireSound = -1;
    int32_t radarFireSound = -1;
    int32_t playerHitSound = -1;
    int32_t scanSound = -1;
    // The stereo overlay lays each texel of the kept first pass on its own
    // pixel, so the nearest texel is the same picture as the linear filter's.
    bool overlayTexelsOnPixels = false;
    float blueAmbient[4] = {};
    float blueDiffuse[4] = {};
    float redAmbient[4] = {};
    float redDiffuse[4] = {};
};

// Everything a game is made of. Nothing in it is created or destroyed during
// play: objects are switched off by their side, and the shots are reused.
// The drawing only reads it: what a frame's picture shows is all here once
// the frame's update is done.
struct World {
    World() = default;
    // The objects own arrays and a font: a copy would release them twice.
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    SceneObject enemies[kEnemyCount];
    SceneObject deathStars[kDeathStarCount];
    SceneObject player;  // never drawn: its matrix is the view, its mesh what enemy shots hit
    SceneObject blueScreen;
    SceneObject solarPanels[kSolarPanelCount];
    SceneObject station;
    ShotObject shots[kShotCount];
    Star stars[kStarCount];
    GameState state;
    ExplosionEmitter explosion;
    // What each drawing pass shows of the explosion: the first (and in mono the
    // only) pass, and the stereo mode's second.
    ExplosionPass explosionPasses[2];
    Vec3 explosionOrigin;  // where the last kill happened
    Vec3 explosionDrift;   // the killing shot's forward axis
    TextOverlay scoreOverlay;
    Camera camera;
    RandomSource random;
    WorldSettings settings;
    float frameSeconds = 0.0f;  // this frame's time
    float gameSeconds = 0.0f;   // the sum of frame times since start or the last ram
    // The sounds' playing flags as the update sees them (slot i in bit i):
    // taken once at the start of a frame, then marked by the sounds the update
    // starts. The mixer ends sounds at the audio device's pace; the world
    // sees that only at frame boundaries, so a frame is the same whatever the
    // device did during it, and a demo can carry the flags.
    uint32_t soundsPlaying = 0;
    // The background fade: the colour the picture is cleared with first, as
    // the frame before left the fade, and the colour after this frame's update,
    // which clears the stereo mode's second pass (and the next frame).
    float clearColour[4] = {};
    float fadeColour[4] = {};
    // The matrix each slot's sound was last started from: it follows that
    // object, and each frame hands the mixer where the object now is.
    const Matrix4* soundSources[kSoundSlotCount] = {};
};
