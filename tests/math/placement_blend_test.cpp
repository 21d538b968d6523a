#include "math/placement_blend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

bool sameBits(const Matrix4& a, const Matrix4& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }

float length(Vec3 v) { return std::sqrt(dot(v, v)); }

float angleBetween(Vec3 a, Vec3 b) {
    return std::acos(std::fmax(-1.0f, std::fmin(1.0f, dot(a, b) / (length(a) * length(b)))));
}

// Every axis of unit length, square to the others, and a right-handed frame:
// a rotation, not a shrunk or sheared blend.
void expectRotation(const Matrix4& m) {
    const Vec3 x = matrixAxisX(m), y = matrixAxisY(m), z = matrixAxisZ(m);
    EXPECT_NEAR(length(x), 1.0f, 1e-6f);
    EXPECT_NEAR(length(y), 1.0f, 1e-6f);
    EXPECT_NEAR(length(z), 1.0f, 1e-6f);
    EXPECT_NEAR(dot(x, y), 0.0f, 1e-6f);
    EXPECT_NEAR(dot(y, z), 0.0f, 1e-6f);
    EXPECT_NEAR(dot(z, x), 0.0f, 1e-6f);
    EXPECT_NEAR(dot(cross(x, y), z), 1.0f, 1e-6f);
}

const float kQuarterTurn = float(M_PI / 2);

TEST(PlacementBlend, EachEndIsThatStateBitForBit) {
    const Matrix4 from = matrixFromAngles({0.3f, -1.2f, 0.7f}, {1.5f, -2.25f, 100.1f});
    const Matrix4 to = matrixFromAngles({0.31f, -1.17f, 0.74f}, {1.9f, -2.0f, 101.3f});
    Matrix4 out;
    blendPlacement(from, to, 0.0f, out);
    EXPECT_TRUE(sameBits(out, from));
    blendPlacement(from, to, 1.0f, out);
    EXPECT_TRUE(sameBits(out, to));
    // Beyond the ends (a late clock) it stays at them.
    blendPlacement(from, to, 1.5f, out);
    EXPECT_TRUE(sameBits(out, to));
    EXPECT_EQ(blendFloat(0.1f, 0.7f, 0.0f), 0.1f);
    EXPECT_EQ(blendFloat(0.1f, 0.7f, 1.0f), 0.7f);
}

TEST(PlacementBlend, ATurnPassesThroughTheAnglesBetweenWithUnitAxes) {
    const Matrix4 from = matrixFromAngles({0, 0, 0}, {0, 0, 0});
    const Matrix4 to = matrixFromAngles({0, 1.0f, 0}, {3, 0, -6});  // a yaw of one radian
    float last = 0.0f;
    for (float f : {0.1f, 0.25f, 0.5f, 0.75f, 0.9f}) {
        Matrix4 out;
        blendPlacement(from, to, f, out);
        expectRotation(out);
        const float fromStart = angleBetween(matrixAxisZ(from), matrixAxisZ(out));
        const float toEnd = angleBetween(matrixAxisZ(out), matrixAxisZ(to));
        EXPECT_NEAR(fromStart + toEnd, 1.0f, 1e-5f) << f;  // on the arc between, not off it
        EXPECT_GT(fromStart, last) << f;
        last = fromStart;
        // The turn is about the yaw axis alone, and the position on the line.
        EXPECT_NEAR(matrixAxisY(out).y, 1.0f, 1e-6f);
        EXPECT_NEAR(out[12], 3.0f * f, 1e-5f);
        EXPECT_NEAR(out[14], -6.0f * f, 1e-5f);
    }
    Matrix4 half;
    blendPlacement(from, to, 0.5f, half);
    EXPECT_NEAR(angleBetween(matrixAxisZ(from), matrixAxisZ(half)), 0.5f, 1e-5f);
}

TEST(PlacementBlend, TurnsTheShortWayAcrossTheHalfTurn) {
    // From 170 degrees of yaw to -170: twenty degrees through 180, not 340 back.
    const float a = float(170 * M_PI / 180);
    const Matrix4 from = matrixFromAngles({0, a, 0}, {});
    const Matrix4 to = matrixFromAngles({0, -a, 0}, {});
    Matrix4 half;
    blendPlacement(from, to, 0.5f, half);
    expectRotation(half);
    EXPECT_NEAR(matrixAxisZ(half).z, -1.0f, 1e-5f);
}

TEST(PlacementBlend, QuaternionsComeBackAsTheAxesTheyCameFrom) {
    // Near the half turn about each axis and about none: every branch of the
    // conversion, each round trip giving the same rotation.
    const Vec3 turns[] = {{0.2f, 0.3f, 0.1f}, {3.1f, 0.1f, 0.05f}, {0.05f, 3.1f, 0.1f},
                          {0.1f, 0.05f, 3.1f}, {kQuarterTurn, kQuarterTurn, 0}};
    for (Vec3 t : turns) {
        const Matrix4 m = matrixFromAngles(t, {});
        Vec3 x, y, z;
        axesOfQuaternion(quaternionOfAxes(matrixAxisX(m), matrixAxisY(m), matrixAxisZ(m)), x, y, z);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR((&x.x)[i], m[i], 1e-5f) << t.x << " " << t.y << " " << t.z;
            EXPECT_NEAR((&y.x)[i], m[4 + i], 1e-5f);
            EXPECT_NEAR((&z.x)[i], m[8 + i], 1e-5f);
        }
    }
    // Axes drifted a little off unit length still give a unit quaternion.
    const Quaternion q = quaternionOfAxes({1.01f, 0, 0}, {0, 0.98f, 0}, {0, 0, 1.02f});
    EXPECT_NEAR(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z, 1.0, 1e-12);
    EXPECT_NEAR(q.w, 1.0, 1e-12);
}

TEST(PlacementBlend, ScaledAxesKeepALengthBetweenAndAMirrorIsNotTurned) {
    Matrix4 from, to, out;
    matrixFromScaleAnglesPosition(from, 2, 2, 2, 0, 0, 0, 0, 0, 0);
    matrixFromScaleAnglesPosition(to, 4, 4, 4, 0, kQuarterTurn, 0, 0, 0, 0);
    blendPlacement(from, to, 0.5f, out);
    for (Vec3 axis : {matrixAxisX(out), matrixAxisY(out), matrixAxisZ(out)})
        EXPECT_NEAR(length(axis), 3.0f, 1e-5f);
    EXPECT_NEAR(dot(matrixAxisX(out), matrixAxisZ(out)), 0.0f, 1e-5f);

    // A mirrored end is no rotation to turn through: the axes are the new
    // ones at once, only the position moves.
    matrixFromScaleAnglesPosition(to, -1, 1, 1, 0, 0, 0, 2, 0, 0);
    blendPlacement(from, to, 0.5f, out);
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) EXPECT_EQ(out[i], to[i]) << i;
    EXPECT_EQ(out[12], 1.0f);
}

}  // namespace
