#include "math/matrix4.h"
#include "platform/random.h"
#include "app/frame_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectMatrixNear(const Matrix4& a, const Matrix4& b, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], tolerance) << "element " << i;
}

TEST(Vector, NormalizeReturnsLengthAndLeavesZeroAlone) {
    Vec3 v{3, 0, 4};
    EXPECT_FLOAT_EQ(normalize(v), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
    Vec3 zero{};
    EXPECT_EQ(normalize(zero), 0.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
}

TEST(Random, FollowsTheClassicSequence) {
    // s1 = 1*214013 + 2531011 = 2745024 -> (2745024 >> 16) & 32767 = 41
    // s2 = 2745024*214013 + 2531011 mod 2^32 = 1210316419 -> 18467
    gameSrand(1);
    EXPECT_EQ(gameRand(), 41);
    EXPECT_EQ(gameRand(), 18467);
    // seed 0: s1 = 2531011 -> 38
    gameSrand(0);
    EXPECT_EQ(gameRand(), 38);
}

TEST(Vector, JitterDrawsThreeNumbersEvenWithoutTime) {
    frameSeconds = 0.0f;
    gameSrand(7);
    Vec3 v{1, 2, 3};
    addRandomJitter(v);
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(v.z, 3.0f);
    int fourth = gameRand();
    gameSrand(7);
    gameRand(); gameRand(); gameRand();
    EXPECT_EQ(gameRand(), fourth);
}

TEST(Matrix, AnglesBuildRightHandedRotations) {
    Matrix4 a = matrixFromAngles({0, 0, 0}, {1, 2, 3});
    Matrix4 expected;
    expected[12] = 1; expected[13] = 2; expected[14] = 3;
    expectMatrixNear(a, expected);

    Matrix4 yaw = matrixFromAngles({0, float(M_PI / 2), 0}, {});
    EXPECT_NEAR(yaw[8], 1.0f, 1e-6f);
    EXPECT_NEAR(yaw[9], 0.0f, 1e-6f);
    EXPECT_NEAR(yaw[10], 0.0f, 1e-6f);
    // Pitching up about X by +90 degrees turns the forward axis to -Y.
    Matrix4 pitch = matrixFromAngles({float(M_PI / 2), 0, 0}, {});
    EXPECT_NEAR(pitch[9], -1.0f, 1e-6f);
}

TEST(Matrix, MultiplyAffineAppliesLocalFirstAndMayAliasOuter) {
    Matrix4 s = matrixFromAngles({0.3f, 0.2f, 0.1f}, {4, 5, 6});
    s[3] = 9; s[15] = 7;  // never read
    Matrix4 d;
    multiplyAffine(d, s, identityMatrix());
    Matrix4 expected = matrixFromAngles({0.3f, 0.2f, 0.1f}, {4, 5, 6});
    expectMatrixNear(d, expected);

    Matrix4 m = matrixFromAngles({0, float(M_PI / 2), 0}, {10, 0, 0});
    Matrix4 local = matrixFromAngles({}, {0, 0, 1});
    Matrix4 copy = m;
    multiplyAffine(m, local, m);  // aliasing the outer matrix is allowed
    Matrix4 fresh;
    multiplyAffine(fresh, local, copy);
    expectMatrixNear(m, fresh);
    EXPECT_NEAR(m[12], 11.0f, 1e-5f);  // one unit along the turned Z axis (+X)
}

TEST(Matrix, InvertsTranslationAndGoesNonFiniteWhenSingular) {
    Matrix4 t = matrixFromAngles({}, {1, 2, 3});
    invert4(t);
    EXPECT_NEAR(t[12], -1.0f, 1e-6f);
    EXPECT_NEAR(t[13], -2.0f, 1e-6f);
    EXPECT_NEAR(t[14], -3.0f, 1e-6f);

    Matrix4 general = matrixFromAngles({0.4f, -1.1f, 2.0f}, {7, -3, 2});
    Matrix4 inverse = general;
    invert4(inverse);
    Matrix4 product;
    multiplyAffine(product, inverse, general);
    expectMatrixNear(product, identityMatrix());

    Matrix4 singular;
    singular[0] = 0;
    invert4(singular);
    EXPECT_FALSE(std::isfinite(singular[0]) && std::isfinite(singular[5]) && std::isfinite(singular[10]));
}

TEST(Matrix, AimWithDirectionAlongUpCollapsesSideAndUp) {
    Matrix4 a;
    aimMatrix({1, 2, 3}, a, {0, 1, 0});
    for (int i : {0, 1, 2, 4, 5, 6}) EXPECT_EQ(a[i], 0.0f) << i;
    EXPECT_EQ(a[9], 1.0f);
    EXPECT_EQ(a[12], 1.0f);
}

TEST(Matrix, LookAtAlongZHasNegativeXSide) {
    Matrix4 v;
    lookAtMatrix(v, {0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    EXPECT_FLOAT_EQ(v[0], -1.0f);
    EXPECT_FLOAT_EQ(v[4], 0.0f);
    EXPECT_FLOAT_EQ(v[8], 0.0f);
    EXPECT_FLOAT_EQ(v[10], -1.0f);
    EXPECT_FLOAT_EQ(v[5], 1.0f);
}

}  // namespace
