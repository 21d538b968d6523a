#include "game/explosion.h"

#include "math/random.h"

#include <cstring>
#include <new>

void initExplosion(ExplosionEmitter& emitter, const float colour[4]) {
    emitter.spread = 0.25f;
    emitter.pointSize = 4;
    emitter.emitDuration = 1.0f;
    emitter.count = kParticleCount;
    emitter.next = 0;
    emitter.lifetime = 5.0f;
    emitter.accumulated = 0.0f;
    // Idle until the first kill: no particle of a burst this old can live.
    emitter.elapsed = 6.0f;
    delete[] emitter.particles;
    emitter.particles = new (std::nothrow) Particle[kParticleCount];
    std::memcpy(emitter.colour, colour, sizeof emitter.colour);
    emitter.ready = emitter.particles != nullptr;
    if (!emitter.ready) return;
    for (int i = 0; i < kParticleCount; ++i) emitter.particles[i].age = emitter.lifetime;
}

namespace {

Vec3 scatter(RandomSource& random, float spread) {
    // Three statements: the draws are made in x, y, z order.
    Vec3 v;
    v.x = spread * signedUnit(random);
    v.y = spread * signedUnit(random);
    v.z = spread * signedUnit(random);
    return v;
}

// How many particles this pass emits: the whole 1/count-second steps of the
// time accumulated; the fraction left over is dropped once any is emitted.
int emissionCount(ExplosionEmitter& e) {
    if (!(e.elapsed < e.emitDuration)) return 0;
    float f = e.accumulated / e.emitDuration;
    if (f > 1.0f) f = 1.0f;
    int n = int(f * float(e.count));
    if (n > 0) e.accumulated = 0.0f;
    return n;
}

void emit(ExplosionEmitter& e, int n, RandomSource& random, Vec3 origin, Vec3 drift) {
    for (int i = 0; i < n; ++i) {
        Particle& p = e.particles[(e.next + i) % e.count];
        std::memcpy(p.colour, e.colour, sizeof p.colour);
        p.position = origin + scatter(random, e.spread);
        p.velocity = drift + scatter(random, e.spread);
        p.age = 0.0f;
    }
}

// Moves one particle a pass on; true when it is to be drawn.
bool advanceParticle(Particle& p, float t, float lifetime) {
    if (p.age >= lifetime) return false;
    p.position = p.position + p.velocity;
    // Below the station's lowest reaches a particle is gone at once.
    if (p.position.y < -39.0f) {
        p.age = lifetime;
        return false;
    }
    const float damp = 1.0f - 0.1f * t, sink = 0.1f * t;
    p.velocity.x *= damp;
    p.velocity.y = p.velocity.y * damp - sink;
    p.velocity.z *= damp;
    p.age += t;
    const float a = p.age / lifetime;
    if (a >= 1.0f) return false;
    p.colour[3] = 1.0f - a;
    return true;
}

void keepForDrawing(const Particle& p, int slot, ExplosionPass& pass) {
    pass.positions[pass.count] = p.position;
    pass.slots[pass.count] = slot;
    pass.ages[pass.count] = p.age;
    std::memcpy(pass.colours[pass.count], p.colour, sizeof p.colour);
    ++pass.count;
}

}  // namespace

bool stepExplosion(ExplosionEmitter& e, float t, RandomSource& random, Vec3 origin, Vec3 drift,
                   ExplosionPass& pass) {
    pass.count = 0;
    pass.shown = false;
    if (!e.ready) return false;
    if (e.elapsed >= e.emitDuration + e.lifetime) return false;
    pass.shown = true;
    e.elapsed += t;
    e.accumulated += t;
    const int n = emissionCount(e);
    emit(e, n, random, origin, drift);
    // With nothing emitted the ring still moves on by one.
    e.next = (e.next + (n > 0 ? n : 1)) % e.count;
    // The particles just emitted are the last n of the ring from the new
    // next: they wait for the next pass before they move or show.
    for (int j = 0; j < e.count - n; ++j) {
        const int index = (e.next + j) % e.count;
        Particle& p = e.particles[index];
        if (advanceParticle(p, t, e.lifetime)) keepForDrawing(p, index, pass);
    }
    return true;
}

void releaseExplosion(ExplosionEmitter& emitter) {
    if (emitter.ready) delete[] emitter.particles;
    emitter.particles = nullptr;
    emitter.ready = false;
}
