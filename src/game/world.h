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
    uint32_t starList = 0;       // display list of the star field
    uint32_t screenTexture = 0;  // the stereo mode's copy of its first pass
    int screenTextureWidth = 0;  // the size its storage was made for (0: none yet)
    int screenTextureHeight = 0;
    float blueAmbient[4] = {};
    float blueDiffuse[4] = {};
    float redAmbient[4] = {};
    float redDiffuse[4] = {};
};

// Everything a game is made of. Nothing in it is created or destroyed during
// play: objects are switched off by their side, and the shots are reused.
// The drawing only reads it, except where noted in renderScene.
struct World {
    World() = default;
    // The objects own arrays, lists and a font: a copy would release them twice.
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    SceneObject enemies[kEnemyCount];
    SceneObject deathStars[kDeathStarCount];
    SceneObject player;  // never drawn: its matrix is the view, its mesh what enemy shots hit
    SceneObject blueScreen;
    SceneObject solarPanels[kSolarPanelCount];
    SceneObject station;
    ShotObject shots[kShotCount];
    GameState state;
    ExplosionEmitter explosion;
    Vec3 explosionOrigin;  // where the last kill happened
    Vec3 explosionDrift;   // the killing shot's forward axis
    TextOverlay scoreOverlay;
    Camera camera;
    RandomSource random;
    WorldSettings settings;
    float frameSeconds = 0.0f;  // this frame's time; 0 in the second stereo pass
    float gameSeconds = 0.0f;   // the sum of frame times since start or the last ram
    // The sounds' playing flags as the update sees them (slot i in bit i):
    // taken once at the start of a frame, then marked by the sounds the update
    // starts. The mixer ends sounds at the audio device's pace; the world
    // sees that only at frame boundaries, so a frame is the same whatever the
    // device did during it, and a demo can carry the flags.
    uint32_t soundsPlaying = 0;
    // The matrix each slot's sound was last started from: it follows that
    // object, and each frame hands the mixer where the object now is.
    const Matrix4* soundSources[kSoundSlotCount] = {};
};
