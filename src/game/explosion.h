#pragma once
#include "math/vec3.h"

#include <cstdint>

struct RandomSource;

// One burst of glowing points at a time: a ring of particles restarted at
// every kill, advanced once per drawing pass (twice a frame in stereo) by the
// frame's update, which keeps what each pass shows for the drawing.

struct Particle {
    float colour[4] = {};  // alpha is rewritten every pass from the age
    Vec3 position;
    Vec3 velocity;         // world units per drawing pass
    float age = 0.0f;      // seconds; alive while below the emitter's lifetime
};

constexpr int kParticleCount = 25;

struct ExplosionEmitter {
    Particle* particles = nullptr;  // the ring, kParticleCount long once ready
    int32_t count = 0;
    int32_t next = 0;        // where the next emission starts
    int32_t pointSize = 0;   // pixels; the world update sets 4 to 7 at each kill
    float spread = 0.0f;     // half-width of the random scatter
    float emitDuration = 0.0f;
    float lifetime = 0.0f;
    float elapsed = 0.0f;    // since the burst began; the world update zeroes it
    float accumulated = 0.0f;  // time not yet turned into particles
    float colour[4] = {};
    bool ready = false;
};

// What one pass shows of the burst: its live particles as that pass left
// them, in drawing order. The second stereo pass moves them on, so each pass
// keeps its own copy.
struct ExplosionPass {
    bool shown = false;  // the emitter was live in this pass: it is drawn, if empty
    int32_t count = 0;
    Vec3 positions[kParticleCount];
    float colours[kParticleCount][4] = {};
    // Which particle each is (its ring slot) and how old: the same slot older
    // in a later pass is the same particle moved on, younger a new one.
    int32_t slots[kParticleCount] = {};
    float ages[kParticleCount] = {};
};

// Allocates the ring and sets the emitter idle (elapsed = emitDuration + lifetime).
void initExplosion(ExplosionEmitter& emitter, const float colour[4]);

// One pass of the emitter with frame time t: emits during a burst's first
// second (drawing from `random`), moves, damps, sinks and ages the live
// particles and keeps those to draw in `pass`. False (and `pass` not shown)
// when the emitter is idle or not ready: then nothing is drawn and nothing is
// drawn from `random`.
bool stepExplosion(ExplosionEmitter& emitter, float t, RandomSource& random, Vec3 origin,
                   Vec3 drift, ExplosionPass& pass);

void releaseExplosion(ExplosionEmitter& emitter);
