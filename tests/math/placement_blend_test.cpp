#include "math/placement_blend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

float length(Vec3 v) { return std::sqrt(dot(v, v)); }
float angle(Vec3 a, Vec3 b) {
    return std::acos(std::fmax(-1.0f, std::fmin(1.0f, dot(a, b) / (length(a) * length(b)))));
}
bool sameMatrix(const Matrix4& a, const Matrix4& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }

TEST(PlacementBlend, TheEndsAreTheTwoPlacementsBitForBit) {
    Matrix4 from = matrixFromAngles({0.3f, -1.2f, 0.7f}, {1, 2, 3});
    Matrix4 to = matrixFromAngles({0.35f, -1.1f, 0.72f}, {1.5f, 2.25f, 2.0f});
    from[0] *= 1.0001f;  // the player's axes drift from unit length
    Matrix4 out;
    blendPlacement(from, to, 0.0f, out);
    EXPECT_TRUE(sameMatrix(out, from));
    blendPlacement(from, to, 1.0f, out);
    EXPECT_TRUE(sameMatrix(out, to));
    EXPECT_EQ(blendFloat(0.1f, 0.7f, 1.0f), 0.7f);
    EXPECT_EQ(blendFloat(0.1f, 0.7f, 0.0f), 0.1f);
}

// A turn of 0.6 radians about an axis: every in-between axis has length 1,
// lies the right share of the angle from both ends, and the frame stays square.
TEST(PlacementBlend, ATurnPassesThroughRotationsBetween) {
    const Matrix4 from = matrixFromAngles({0.1f, 0.2f, 0.0f}, {0, 0, 0});
    const Matrix4 to = matrixFromAngles({0.1f, 0.8f, 0.0f}, {0, 0, 6});
    const Vec3 z0 = matrixAxisZ(from), z1 = matrixAxisZ(to);
    const float whole = angle(z0, z1);
    for (float f : {0.25f, 0.5f, 0.75f}) {
        Matrix4 m;
        blendPlacement(from, to, f, m);
        const Vec3 x = matrixAxisX(m), y = matrixAxisY(m), z = matrixAxisZ(m);
        EXPECT_NEAR(length(x), 1.0f, 1e-6f);
        EXPECT_NEAR(length(y), 1.0f, 1e-6f);
        EXPECT_NEAR(length(z), 1.0f, 1e-6f);
        EXPECT_NEAR(dot(x, y), 0.0f, 1e-6f);
        EXPECT_NEAR(dot(y, z), 0.0f, 1e-6f);
        EXPECT_NEAR(angle(z0, z) + angle(z, z1), whole, 1e-4f);  // on the arc between
        EXPECT_GT(angle(z0, z), 0.0f);
        EXPECT_GT(angle(z, z1), 0.0f);
        EXPECT_NEAR(matrixPosition(m).z, 6.0f * f, 1e-5f);
    }
    // Half way, half the angle (a turn about one axis, where nlerp is even).
    Matrix4 half;
    blendPlacement(from, to, 0.5f, half);
    EXPECT_NEAR(angle(z0, matrixAxisZ(half)), whole / 2, 1e-4f);
}

// A body turned by more than half a turn goes the short way round, a scaled
// one keeps its scale, and axes the two share are not touched.
TEST(PlacementBlend, ShortWayScaleAndSharedAxes) {
    Quaternion a = quaternionOfAxes({1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    Quaternion b = a;
    b.w = -b.w;  // the same rotation, the other sign
    Quaternion mid = turnBetween(a, b, 0.5f);
    EXPECT_NEAR(std::fabs(mid.w), 1.0, 1e-12);

    Matrix4 from, to;
    matrixFromScaleAnglesPosition(from, 3, 3, 3, 0, 0.2f, 0, 0, 0, 0);
    matrixFromScaleAnglesPosition(to, 3, 3, 3, 0, 0.4f, 0, 0, 0, 0);
    Matrix4 m;
    blendPlacement(from, to, 0.5f, m);
    EXPECT_NEAR(length(matrixAxisX(m)), 3.0f, 1e-5f);
    EXPECT_NEAR(length(matrixAxisZ(m)), 3.0f, 1e-5f);

    Matrix4 moved = from;
    moved[12] = 10.0f;
    blendPlacement(from, moved, 0.3f, m);
    EXPECT_EQ(std::memcmp(m.m, from.m, 12 * sizeof(float)), 0);
    EXPECT_FLOAT_EQ(m[12], 3.0f);
}

}  // namespace
