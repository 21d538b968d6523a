#include "game/world_update.h"

#include "audio/sound_mixer.h"
#include "game/score.h"
#include "math/portable_math.h"
#include "model/motion.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kRadarShotSpeed = 25.0;
constexpr double kDroidSpeed = 15.0;
constexpr float kDroidFarBand = 10000.0f;   // at or beyond: back to the home point
constexpr float kDroidNearBand = 5000.0f;   // within: chase and scan
constexpr float kRadarAimRange = 40000.0f;
constexpr float kRadarFireRange = 10000.0f;
constexpr float kLeadFactor = 0.5f;

Vec3 droidHome(int k) { return {10.0f + 5.0f * float(k), 1.0f, 1.0f}; }

// The droids hunt the player when it comes near and otherwise fly home.
void updateDroid(World& world, int k) {
    SceneObject& droid = world.enemies[k];
    if (droid.side == kSideNone) return;
    const float t = world.frameSeconds;
    const Vec3 at = matrixPosition(droid.matrix);
    Vec3 d = matrixPosition(world.player.matrix) - at;
    const float q = dot(d, d);
    if (q >= kDroidFarBand) {
        steerObject(droid, droidHome(k) - at, false, t);
    } else if (q >= kDroidNearBand) {
        addRandomJitter(d, t, world.random);
        // The droid's own position, not its offset, against the player's
        // forward axis: which way it weaves depends on where it is.
        if (!(dot(at, matrixAxisZ(world.player.matrix)) < 0.0f)) d = -d;
        steerObject(droid, d, false, t);
    } else {
        steerObject(droid, d, false, t);
        playIfQuiet(world, world.state.scanSound, droid.matrix);
    }
}

// The radars turn towards where the player will be and fire when it is near.
void updateRadar(World& world, SceneObject& radar) {
    if (radar.side == kSideNone) return;
    const float t = world.frameSeconds;
    const SceneObject& player = world.player;
    const Vec3 d = matrixPosition(player.matrix) - matrixPosition(radar.matrix);
    const float q = dot(d, d);
    if (q >= kRadarAimRange) return;
    const float lead = kLeadFactor * std::sqrt(q) * player.velocity.z;
    // The radar's Z axis turns away from the predicted position; it fires along -Z.
    steerObject(radar, -(d + lead * matrixAxisZ(player.matrix)), true, t);
    if (q < kRadarFireRange && !soundPlaying(world, world.state.radarFireSound)) {
        const double step = -kRadarShotSpeed * double(t);
        const Vec3 z = matrixAxisZ(radar.matrix);
        launchShot(world, radar, {float(z.x * step), float(z.y * step), float(z.z * step)},
                   kSideEnemy);
    }
}

// The explosion's point size shrinks with the kill's distance from where the
// player started.
int32_t explosionPointSize(float q) {
    if (q > 40000.0f) return 4;
    if (q > 10000.0f) return 5;
    if (q > 5000.0f) return 6;
    return 7;
}

void destroyEnemy(World& world, SceneObject& enemy, const ShotObject& shot) {
    const Vec3 at = matrixPosition(shot.object.matrix);
    const Vec3 fromStart = at - world.player.trackPosition;
    world.explosion.pointSize = explosionPointSize(dot(fromStart, fromStart));
    world.explosionOrigin = at;
    enemy.side = kSideNone;
    world.explosionDrift = matrixAxisZ(shot.object.matrix);
    world.explosion.elapsed = 0.0f;  // a new burst
    addKills(world, +1);
    playIfQuiet(world, world.state.destroyedSound, shot.object.matrix);
}

// Shots move by a fixed step a frame, wobble their texture, and hit. A shot
// that hits is switched off but its segment is still tested against the rest,
// so one shot can take several enemies, and a player's shot the player too.
void updateShot(World& world, int i) {
    ShotObject& shot = world.shots[i];
    SceneObject& o = shot.object;
    if (o.side == kSideNone) return;
    o.trackPosition = o.trackPosition + o.velocity;
    o.matrix[12] = o.trackPosition.x;
    o.matrix[13] = o.trackPosition.y;
    o.matrix[14] = o.trackPosition.z;
    if (shot.texCoords) {
        const float w = 0.25f * portableSin(10.0f * world.gameSeconds + float(i));
        shot.texCoords[0] = w;  // the first vertex's u
        shot.texCoords[3] = w;  // the second vertex's v
    }
    for (SceneObject& enemy : world.enemies)
        if (shotHitsObject(enemy, shot)) destroyEnemy(world, enemy, shot);
    if (shotHitsObject(world.player, shot)) {
        addKills(world, -1);
        playIfQuiet(world, world.state.playerHitSound, world.player.matrix);
    }
}

// After a ram the background flashes and darkens to black over five seconds;
// past that the last colour stays.
void fadeBackground(World& world) {
    const float g = world.gameSeconds;
    if (world.state.playing != 0 || !(g < 5.0f)) return;
    float* c = world.fadeColour;
    c[0] = 1.0f - 0.2f * g;
    c[1] = 0.25f - 0.05f * g;
    c[2] = 0.5f - 0.1f * g;
    c[3] = 1.0f;
}

// The explosion moves on once for every drawing pass, drawn or not: in the
// stereo mode a second time, with no time, for the second image.
void advanceExplosionPasses(World& world) {
    ExplosionPass* passes = world.explosionPasses;
    stepExplosion(world.explosion, world.frameSeconds, world.random, world.explosionOrigin,
                  world.explosionDrift, passes[0]);
    if (!world.settings.stereo) return;
    stepExplosion(world.explosion, 0.0f, world.random, world.explosionOrigin,
                  world.explosionDrift, passes[1]);
}

}  // namespace

bool soundPlaying(const World& world, int32_t sound) {
    return sound >= 0 && sound < kSoundSlotCount && (world.soundsPlaying >> sound & 1u) != 0;
}

void startSound(World& world, int32_t sound, const Matrix4& source) {
    const Matrix4& listener = world.player.matrix;
    if (!playSound(sound, {matrixPosition(source), matrixPosition(listener), matrixAxisZ(listener)})) return;
    world.soundsPlaying |= 1u << sound;
    world.soundSources[sound] = &source;
}

SoundPositions soundPositionsOf(const World& world) {
    SoundPositions positions;
    for (int i = 0; i < kSoundSlotCount; ++i)
        if (const Matrix4* source = world.soundSources[i]) positions.sources[i] = matrixPosition(*source);
    positions.listener = matrixPosition(world.player.matrix);
    positions.facing = matrixAxisZ(world.player.matrix);
    return positions;
}

void playIfQuiet(World& world, int32_t sound, const Matrix4& source) {
    if (!soundPlaying(world, sound)) startSound(world, sound, source);
}

void launchShot(World& world, const SceneObject& source, Vec3 velocity, int32_t side) {
    GameState& state = world.state;
    state.nextShot = (state.nextShot + 1) % kShotCount;
    SceneObject& o = world.shots[state.nextShot].object;
    o.trackPosition = matrixPosition(source.matrix);
    o.velocity = velocity;
    o.side = side;
    o.matrix = source.matrix;  // drawn turned like its source
    startSound(world, side == kSidePlayer ? state.playerFireSound : state.radarFireSound,
               o.matrix);
}

void steerObject(SceneObject& object, Vec3 direction, bool stationary, float t) {
    Matrix4& m = object.matrix;
    const Vec3 z = matrixAxisZ(m);
    Vec3 p = matrixPosition(m);
    if (!stationary) {
        const double step = kDroidSpeed * double(t);
        p = {float(p.x + step * z.x), float(p.y + step * z.y), float(p.z + step * z.z)};
    }
    normalize(direction);
    Vec3 f = t * direction + (1.0f - t) * z;
    normalize(f);
    aimMatrix(p, m, f);
}

bool shotHitsObject(const SceneObject& target, ShotObject& shot) {
    SceneObject& o = shot.object;
    if (o.side == target.side) return false;
    float fraction = 0.0f;
    if (!segmentHitsObject(target, o.trackPosition, o.trackPosition + o.velocity, fraction))
        return false;
    o.side = kSideNone;
    return true;
}

void updateWorld(World& world) {
    for (int k = 0; k < kDroidCount; ++k) updateDroid(world, k);
    for (int k = kDroidCount; k < kEnemyCount; ++k) updateRadar(world, world.enemies[k]);
    for (int i = 0; i < kShotCount; ++i) updateShot(world, i);
}

void advanceWorld(World& world, const InputState& input, float frameSeconds,
                  uint32_t soundsPlaying) {
    std::memcpy(world.clearColour, world.fadeColour, sizeof world.clearColour);
    world.soundsPlaying = soundsPlaying;
    world.frameSeconds = frameSeconds;
    world.gameSeconds += frameSeconds;
    updatePlayer(world, input);
    updateWorld(world);
    updateCamera(world.camera, world.player.matrix);
    fadeBackground(world);
    advanceExplosionPasses(world);
}
