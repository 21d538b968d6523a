#include "game/world_check.h"

#include <cstring>

namespace {

// FNV-1a over 32-bit words, each taken as its value rather than its bytes in
// memory, so that the check is the same on every machine.
struct Fingerprint {
    uint64_t hash = 0xcbf29ce484222325ull;
    void add(uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (word >> (8 * i)) & 0xFFu;
            hash *= 0x100000001b3ull;
        }
    }
    void add(int32_t value) { add(uint32_t(value)); }
    void add(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add(bits);
    }
    void add(Vec3 v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void add(const Matrix4& m) {
        for (float value : m.m) add(value);
    }
    void add(const SceneObject& o) {
        add(o.side);
        add(o.matrix);
        add(o.trackPosition);
        add(o.velocity);
        add(o.turnRates);
    }
};

}  // namespace

uint64_t worldCheck(const World& world) {
    Fingerprint f;
    f.add(world.gameSeconds);
    f.add(world.state.kills);
    f.add(world.state.playing);
    f.add(world.state.nextShot);
    f.add(world.soundsPlaying);
    f.add(world.random.state);
    f.add(world.player);
    for (const SceneObject& enemy : world.enemies) f.add(enemy);
    for (const ShotObject& shot : world.shots) f.add(shot.object);
    const ExplosionEmitter& e = world.explosion;
    f.add(e.elapsed);
    f.add(e.pointSize);
    f.add(world.explosionOrigin);
    f.add(world.explosionDrift);
    for (int i = 0; i < e.count && e.particles; ++i) {
        f.add(e.particles[i].position);
        f.add(e.particles[i].age);
    }
    return f.hash;
}
