#include "game/world_setup.h"

#include "audio/music_player.h"
#include "audio/sound_mixer.h"
#include "game/score.h"
#include "model/model_loading.h"

#include <cmath>
#include <new>

namespace {

const Vec3 kPlayerStart{100.0f, 500.0f, 500.0f};
constexpr float kHearingRange = 75.0f;
const float kParticleColour[4] = {1.0f, 0.9f, 0.8f, 1.0f};
// A little less than pi / 2 (bit pattern 0x3FC90FD0): the panels were always
// turned by this, not by a right angle.
constexpr float kPanelTurn = 1.5707951f;

void setPosition(Matrix4& m, Vec3 p) {
    m[12] = p.x;
    m[13] = p.y;
    m[14] = p.z;
}

void setQuad(float (&quad)[4], float a, float b, float c, float d) {
    quad[0] = a;
    quad[1] = b;
    quad[2] = c;
    quad[3] = d;
}

void loadModels(World& w) {
    loadA3fModel("spaceShip1.a3f", w.enemies[0]);
    loadA3fModel("spaceRadar.a3f", w.enemies[kDroidCount]);
    loadA3fModel("deathStar.a3f", w.deathStars[0]);
    loadShotModel(w.shots[0]);
    loadA3fModel("solarPanel.a3f", w.solarPanels[0]);
    loadA3fModel("spaceStation1.a3f", w.station);
}

void placePlayer(World& w) {
    shareModel(w.player, w.deathStars[0]);
    setPosition(w.player.matrix, kPlayerStart);
    w.player.trackPosition = kPlayerStart;
    w.player.velocity.z = 1.0f;  // full throttle forwards
}

// Every further member of a group refers to its first member's model.
void shareModels(World& w) {
    for (int i = 1; i < kDeathStarCount; ++i) shareModel(w.deathStars[i], w.deathStars[0]);
    for (int i = 1; i < kSolarPanelCount; ++i) shareModel(w.solarPanels[i], w.solarPanels[0]);
    for (int i = 1; i < kDroidCount; ++i) shareModel(w.enemies[i], w.enemies[0]);
    for (int i = kDroidCount + 1; i < kEnemyCount; ++i)
        shareModel(w.enemies[i], w.enemies[kDroidCount]);
    // Each shot owns its vertex arrays: the update wobbles their texture
    // coordinates one shot at a time.
    for (int i = 1; i < kShotCount; ++i) {
        shareModel(w.shots[i].object, w.shots[0].object);
        if (allocateShotArrays(w.shots[i])) splitVertexArrays(w.shots[i]);
    }
}

// True when the overlay lays each texel of the copied first pass on its own
// pixel: every vertex's texture coordinates are its place in the 64 x 48
// orthographic box, as in the game's own blueScreen.a3f, which fills the box
// with coordinates 0 to 1. The linear filter then finds each texel alone,
// the nearest texel is the same picture, and a software renderer reads one
// texel a pixel instead of four (a quarter of the stereo frame's drawing in
// the low texture quality). A model that stretches or moves the image keeps
// the linear filter.
bool overlayMapsTexelsOntoPixels(const SceneObject& overlay) {
    if (overlay.vertexCount == 0 || !overlay.vertices) return false;
    for (uint32_t i = 0; i < overlay.vertexCount; ++i) {
        const ModelVertex& vertex = overlay.vertices[i];
        const Vec3 at = transformPoint(overlay.matrix, vertex.position);
        if (vertex.u != (at.x + 32.0f) / 64.0f || vertex.v != (at.y + 24.0f) / 48.0f) return false;
    }
    return true;
}

void prepareStereo(World& w) {
    GameState& s = w.state;
    loadA3fModel("blueScreen.a3f", w.blueScreen);
    s.overlayTexelsOnPixels = overlayMapsTexelsOntoPixels(w.blueScreen);
    setQuad(s.blueAmbient, 0.0f, 0.0f, 1.0f, 1.0f);
    setQuad(s.blueDiffuse, 0.0f, 0.0f, 2.0f, 1.0f);
    setQuad(s.redAmbient, 0.25f, 0.0f, 0.0f, 1.0f);
    setQuad(s.redDiffuse, 0.75f, 0.0f, 0.0f, 1.0f);
}

void loadSounds(World& w) {
    // The listener rides on the player (soundPositionsOf).
    setHearingRange(kHearingRange);
    if (!soundMixer.isOpen.load()) openSoundOutput();
    GameState& s = w.state;
    s.destroyedSound = loadSound("droid_destroyed.wav");
    s.playerFireSound = loadSound("ammo_fire2.wav");
    s.radarFireSound = loadSound("ammo_fire.wav");
    s.playerHitSound = loadSound("hit_echo.wav");
    s.scanSound = loadSound("droid_scan.wav");
}

}  // namespace

void scaleStation(World& world) {
    Matrix4& m = world.station.matrix;
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) m[i] *= 10.0f;
}

void placeStars(RandomSource& random, Star (&stars)[kStarCount]) {
    // 1 / 65534 as the float 1.5259255e-05: greys from 0.5 to 1.
    constexpr float kGreyStep = 1.0f / 65534.0f;
    for (Star& star : stars) {
        star.grey = float(gameRand(random)) * kGreyStep + 0.5f;
        Vec3& p = star.position;
        p.x = 2000.0f * signedUnit(random);
        p.z = 2000.0f * signedUnit(random);
        if (std::fabs(p.x) + std::fabs(p.z) < 200.0f) {
            // Near the vertical axis a star is pushed well above or below the plane.
            const float w = signedUnit(random);
            p.y = 500.0f * coin(random) + 200.0f * w;
        } else {
            p.y = 500.0f * signedUnit(random);
        }
    }
}

void placeDeathStarsAndStars(World& world) {
    RandomSource& r = world.random;
    for (SceneObject& body : world.deathStars) {
        // Eleven draws a body, in this order.
        const float a = signedUnit(r), s1 = coin(r), b = signedUnit(r), c = signedUnit(r);
        const float s2 = coin(r);
        const Vec3 p{400.0f * s2 + 200.0f * c, 100.0f * b, 400.0f * s1 + 200.0f * a};
        const float d1 = signedUnit(r), d2 = signedUnit(r), d3 = signedUnit(r);
        const float u1 = unitDraw(r), u2 = unitDraw(r), u3 = unitDraw(r);
        // 3.14, not pi: the bodies were always turned this way.
        matrixFromScaleAnglesPosition(body.matrix, 10.0f * (u3 + 1.0f), 10.0f * (u2 + 1.0f),
                                      10.0f * (u1 + 1.0f), 3.14f * d3, 3.14f * d2, 3.14f * d1,
                                      p.x, p.y, p.z);
    }
    placeStars(r, world.stars);
}

void placeEnemies(World& world) {
    for (SceneObject& enemy : world.enemies) enemy.side = kSideEnemy;
    for (int k = 0; k < kDroidCount; ++k) {
        const float at = -50.0f - 100.0f * float(k);
        setPosition(world.enemies[k].matrix, {at, at, at});
    }
    // The radars stand on bodies 4 to 7, whatever size those got.
    for (int k = 0; k < kEnemyCount - kDroidCount; ++k)
        setPosition(world.enemies[kDroidCount + k].matrix,
                    matrixPosition(world.deathStars[4 + k].matrix) + Vec3{0.0f, 22.0f, 0.0f});
}

void placeSolarPanels(World& world) {
    setPosition(world.solarPanels[0].matrix, {75.0f, 0.0f, 0.0f});
    world.solarPanels[1].matrix = matrixFromAngles({0.0f, kPanelTurn, 0.0f}, {0.0f, 0.0f, 75.0f});
    world.solarPanels[2].matrix = matrixFromAngles({0.0f, 0.0f, kPanelTurn}, {0.0f, 75.0f, 0.0f});
    world.solarPanels[3].matrix = matrixFromAngles({kPanelTurn, 0.0f, 0.0f}, {-75.0f, 0.0f, 0.0f});
}

bool setupWorld(World& world, const WorldSettings& settings) {
    world.settings = settings;
    // The song started before the launcher; switched off, it stops here, and
    // on, a song that cannot be played is said now.
    if (!settings.music) closeMusic();
    else reportSongTrouble();
    loadModels(world);
    scaleStation(world);
    placePlayer(world);
    shareModels(world);
    if (settings.stereo) prepareStereo(world);
    initExplosion(world.explosion, kParticleColour);
    loadSounds(world);
    createTextOverlay(world.scoreOverlay, 0, 456, 80, 480, 640, 480, false);
    showFirstScore(world);
    // Until the first camera update a shot fired flies along +Z.
    world.camera.eye = {0.0f, 0.0f, 0.0f};
    world.camera.target = {0.0f, 0.0f, 1.0f};
    world.camera.up = {0.0f, 1.0f, 0.0f};
    world.state.playing = 1;
    placeDeathStarsAndStars(world);
    placeEnemies(world);
    for (ShotObject& shot : world.shots) shot.object.side = kSideNone;
    placeSolarPanels(world);
    return true;
}

void releaseWorld(World& world) {
    releaseTextOverlay(world.scoreOverlay);
    releaseExplosion(world.explosion);
    for (int i = kShotCount - 1; i >= 0; --i) destroyShotObject(world.shots[i]);
    destroySceneObject(world.station);
    for (int i = kSolarPanelCount - 1; i >= 0; --i) destroySceneObject(world.solarPanels[i]);
    destroySceneObject(world.blueScreen);
    destroySceneObject(world.player);
    for (int i = kDeathStarCount - 1; i >= 0; --i) destroySceneObject(world.deathStars[i]);
    for (int i = kEnemyCount - 1; i >= 0; --i) destroySceneObject(world.enemies[i]);
    // A world cannot be assigned (its objects own arrays), so it is made anew
    // in place.
    world.~World();
    new (&world) World();
}
