// The explosion emitter pass by pass, as the frame's update runs it.
#include "game/explosion.h"

#include "math/random.h"

#include <gtest/gtest.h>

namespace {

class Explosion : public ::testing::Test {
protected:
    void SetUp() override {
        const float colour[4] = {1.0f, 0.9f, 0.8f, 1.0f};
        initExplosion(emitter, colour);
        gameSrand(random, 3);
    }
    void TearDown() override { releaseExplosion(emitter); }
    bool pass(float t) { return stepExplosion(emitter, t, random, origin, drift, shown); }
    int alive() const {
        int n = 0;
        for (int i = 0; i < emitter.count; ++i) n += emitter.particles[i].age < emitter.lifetime;
        return n;
    }
    ExplosionEmitter emitter;
    ExplosionPass shown;
    RandomSource random;
    Vec3 origin{10, 20, 30};
    Vec3 drift{0, 0, 1};
};

TEST_F(Explosion, IdleUntilTheFirstKillDrawsNothingAndDrawsNoRandomNumber) {
    const uint32_t before = random.state;
    EXPECT_FALSE(pass(0.03f));
    EXPECT_EQ(random.state, before);
    EXPECT_EQ(emitter.elapsed, 6.0f);
}

TEST_F(Explosion, ABurstEmitsOneParticleEverySecondFrameForItsFirstSecond) {
    emitter.elapsed = 0.0f;  // a kill
    int frames = 0;
    while (emitter.elapsed < 1.0f) {
        pass(0.03f);
        ++frames;
    }
    // 0.03 s frames: the fraction of a 1/25 s step is dropped at each
    // emission, so every second frame emits one, from the second to the 32nd.
    EXPECT_EQ(frames, 34);
    EXPECT_EQ(alive(), 16);
    const int afterBurst = alive();
    pass(0.03f);
    EXPECT_EQ(alive(), afterBurst);
}

TEST_F(Explosion, JustEmittedParticlesWaitAndTheSecondStereoPassStillMovesTheRest) {
    emitter.elapsed = 0.0f;
    pass(0.03f);  // 0.03 s: nothing emitted yet, the ring moves on by one
    EXPECT_EQ(alive(), 0);
    EXPECT_EQ(emitter.next, 1);
    pass(0.03f);  // 0.06 s: one emitted at ring index 1, neither moved nor drawn
    ASSERT_EQ(alive(), 1);
    EXPECT_EQ(shown.count, 0);
    const Particle& p = emitter.particles[1];
    const Vec3 born = p.position;
    EXPECT_NEAR(born.z, origin.z, 0.25f);
    EXPECT_EQ(emitter.next, 2);

    // The second pass of a stereo frame: no time, no emission, no ageing, no
    // damping, but every live particle moves by its velocity and is drawn.
    const uint32_t before = random.state;
    const Vec3 velocity = p.velocity;
    EXPECT_TRUE(pass(0.0f));
    EXPECT_EQ(random.state, before);
    EXPECT_EQ(emitter.next, 3);
    EXPECT_EQ(p.age, 0.0f);
    EXPECT_EQ(p.velocity.z, velocity.z);
    EXPECT_FLOAT_EQ(p.position.z, born.z + velocity.z);
    EXPECT_EQ(shown.count, 1);
    EXPECT_FLOAT_EQ(p.colour[3], 1.0f);
    // The pass keeps the particle as it left it, for the drawing.
    EXPECT_EQ(shown.positions[0].z, p.position.z);
    EXPECT_EQ(shown.colours[0][3], p.colour[3]);
}

TEST_F(Explosion, AParticleBelowTheFloorDiesAtOnce) {
    origin = {0, -38.9f, 0};
    drift = {0, -1, 0};
    emitter.elapsed = 0.0f;
    pass(0.03f);
    pass(0.03f);
    ASSERT_EQ(alive(), 1);
    pass(0.03f);  // moves about one unit down, below -39
    EXPECT_EQ(alive(), 0);
    EXPECT_EQ(shown.count, 0);
}

}  // namespace
