#include "game/world_update.h"

#include "audio/sound_mixer.h"
#include "game/score.h"
#include "model/motion.h"

namespace {

constexpr float kPlayerStepFactor = 20.0f;  // units per second at full throttle
constexpr float kThrottleLimit = 1.0f;
constexpr float kDriftLimit = 0.5f;
constexpr double kPlayerShotSpeed = 50.0;
constexpr float kRamDistanceSquared = 2.0f;
constexpr int32_t kRamPenalty = -100;

bool held(const InputState& input, uint32_t key) { return input.keys[key] != 0; }

void fire(World& world) {
    const float t = world.frameSeconds;
    // Along the line of sight of the previous frame's camera.
    Vec3 d = world.camera.target - world.camera.eye;
    normalize(d);
    const double step = double(t) * kPlayerShotSpeed;
    launchShot(world, world.player, {float(d.x * step), float(d.y * step), float(d.z * step)},
               kSidePlayer);
}

// The limits are tested before the change, so the throttle may end one frame
// time beyond them, never further.
void steerThrottleAndDrift(Vec3& velocity, const InputState& input, float t) {
    if (held(input, kKeyDown) && velocity.z > -kThrottleLimit) velocity.z -= t;
    if (held(input, kKeyUp) && velocity.z < kThrottleLimit) velocity.z += t;
    if (held(input, kKeyRight) && velocity.x > -kDriftLimit) velocity.x -= t;
    if (held(input, kKeyLeft) && velocity.x < kDriftLimit) velocity.x += t;
}

}  // namespace

int findDroidCollision(const World& world, const SceneObject& player) {
    const Vec3 at = matrixPosition(player.matrix);
    for (int k = 0; k < kDroidCount; ++k) {
        const SceneObject& droid = world.enemies[k];
        if (droid.side == kSideNone) continue;
        const Vec3 d = matrixPosition(droid.matrix) - at;
        if (dot(d, d) < kRamDistanceSquared) return k;
    }
    return -1;
}

void updatePlayer(World& world, const InputState& input) {
    SceneObject& player = world.player;
    GameState& state = world.state;
    const float t = world.frameSeconds;
    player.velocity.x = 0.0f;
    // At the window's edge the pointer turns one radian a second; no roll.
    player.turnRates = {input.pointerY * t, -input.pointerX * t, 0.0f};
    if (state.playing == 0) {
        // After the end the player still turns and coasts, but nothing more.
        stepObject(player, kPlayerStepFactor * t);
        return;
    }
    // The fire sound's length is the only limit on the rate of fire.
    if (held(input, kKeySpace) && !soundPlaying(world, state.playerFireSound)) fire(world);
    steerThrottleAndDrift(player.velocity, input, t);
    stepObject(player, kPlayerStepFactor * t);
    if (findDroidCollision(world, player) != -1) {
        state.playing = 0;
        playIfQuiet(world, state.destroyedSound, player.matrix);
        addKills(world, kRamPenalty);
        world.gameSeconds = 0.0f;  // restarts the red fade of the background
    }
}
