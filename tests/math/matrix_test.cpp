#include "math/matrix4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

void expectMatrixNear(const Matrix4& a, const Matrix4& b, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], tolerance) << "element " << i;
}

TEST(Matrix, AnglesBuildRightHandedRotations) {
    Matrix4 a = matrixFromAngles({0, 0, 0}, {1, 2, 3});
    Matrix4 expected;
    expected[12] = 1; expected[13] = 2; expected[14] = 3;
    expectMatrixNear(a, expected);

    // Yaw +90 degrees: row 0 of R_Y is (cos, 0, sin) = (0, 0, 1), so element
    // (row 0, column 2) = index 8 is 1, and (row 2, column 0) = index 2 is -1.
    Matrix4 yaw = matrixFromAngles({0, float(M_PI / 2), 0}, {7, 8, 9});
    EXPECT_NEAR(yaw[8], 1.0f, 1e-6f);
    EXPECT_NEAR(yaw[9], 0.0f, 1e-6f);
    EXPECT_NEAR(yaw[10], 0.0f, 1e-6f);
    EXPECT_NEAR(yaw[2], -1.0f, 1e-6f);
    EXPECT_EQ(yaw[3], 0.0f);
    EXPECT_EQ(yaw[7], 0.0f);
    EXPECT_EQ(yaw[11], 0.0f);
    EXPECT_EQ(yaw[15], 1.0f);
    Vec3 moved = transformPoint(yaw, {0, 0, 1});
    EXPECT_NEAR(moved.x, 8.0f, 1e-6f);  // local forward turned to +X, then placed
    EXPECT_NEAR(moved.y, 8.0f, 1e-6f);
    EXPECT_NEAR(moved.z, 9.0f, 1e-6f);
    // Pitching up about X by +90 degrees turns the forward axis to -Y.
    Matrix4 pitch = matrixFromAngles({float(M_PI / 2), 0, 0}, {});
    EXPECT_NEAR(pitch[9], -1.0f, 1e-6f);
    // Rolling +90 degrees about Z: X axis -> +Y, Y axis -> -X.
    Matrix4 roll = matrixFromAngles({0, 0, float(M_PI / 2)}, {});
    EXPECT_NEAR(roll[1], 1.0f, 1e-6f);
    EXPECT_NEAR(roll[4], -1.0f, 1e-6f);
}

// A rotation about one axis, written out from its rows.
Matrix4 axisRotation(int axis, double angle) {
    float c = float(std::cos(angle)), s = float(std::sin(angle));
    Matrix4 r;
    int i = (axis + 1) % 3, j = (axis + 2) % 3;  // the two axes that turn
    r[4 * i + i] = c;
    r[4 * j + j] = c;
    r[4 * i + j] = s;   // row j, column i
    r[4 * j + i] = -s;  // row i, column j
    return r;
}

TEST(Matrix, AnglesRollFirstThenPitchThenYaw) {
    const float pitch = 0.4f, yaw = -1.1f, roll = 2.0f;
    Matrix4 rollThenPitch, all;
    multiplyAffine(rollThenPitch, axisRotation(2, roll), axisRotation(0, pitch));
    multiplyAffine(all, rollThenPitch, axisRotation(1, yaw));
    all[12] = 7; all[13] = -3; all[14] = 2;
    expectMatrixNear(matrixFromAngles({pitch, yaw, roll}, {7, -3, 2}), all);
}

TEST(Matrix, ScaleMultipliesTheColumns) {
    Matrix4 scaled;
    matrixFromScaleAnglesPosition(scaled, 2, 3, 4, 0.1f, 0.2f, 0.3f, 5, 6, 7);
    Matrix4 plain = matrixFromAngles({0.1f, 0.2f, 0.3f}, {5, 6, 7});
    for (int r = 0; r < 3; ++r) {
        EXPECT_NEAR(scaled[r], 2 * plain[r], 1e-6f);
        EXPECT_NEAR(scaled[4 + r], 3 * plain[4 + r], 1e-6f);
        EXPECT_NEAR(scaled[8 + r], 4 * plain[8 + r], 1e-6f);
        EXPECT_EQ(scaled[12 + r], plain[12 + r]);
    }
}

TEST(Matrix, DeterminantExpandsAlongTheFirstColumn) {
    Matrix4 a;
    matrixFromScaleAnglesPosition(a, 2, 3, 4, 0, 0, 0, 1, 1, 1);
    EXPECT_FLOAT_EQ(determinant4(a), 24.0f);
    // A rotation keeps volume; swapping two columns flips the sign.
    Matrix4 r = matrixFromAngles({0.4f, -1.1f, 2.0f}, {7, -3, 2});
    EXPECT_NEAR(determinant4(r), 1.0f, 1e-5f);
    for (int i = 0; i < 3; ++i) std::swap(r[i], r[4 + i]);
    EXPECT_NEAR(determinant4(r), -1.0f, 1e-5f);
    // minor3 drops the row and column named: from the scaled matrix drop
    // row 1, column 0 -> columns 1..3 of rows 0, 2, 3.
    Matrix3 m = minor3(a, 1, 0);
    EXPECT_EQ(m.m[0], 0.0f);  // (row 0, column 1)
    EXPECT_EQ(m.m[4], 4.0f);  // (row 2, column 2)
    EXPECT_EQ(m.m[6], 1.0f);  // (row 0, column 3)
    EXPECT_EQ(m.m[8], 1.0f);  // (row 3, column 3)
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

TEST(Matrix, AimTurnsForwardKeepingUpAndCollapsesWhenAimedAlongUp) {
    // Aimed along +X with the up left as +Y: the same as a yaw of +90 degrees.
    Matrix4 a;
    aimMatrix({1, 2, 3}, a, {1, 0, 0});
    expectMatrixNear(a, matrixFromAngles({0, float(M_PI / 2), 0}, {1, 2, 3}));

    Matrix4 b;
    aimMatrix({1, 2, 3}, b, {0, 1, 0});
    for (int i : {0, 1, 2, 4, 5, 6}) EXPECT_EQ(b[i], 0.0f) << i;
    EXPECT_EQ(b[9], 1.0f);
    EXPECT_EQ(b[12], 1.0f);
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

TEST(Matrix, ViewMatrixMovesTheEyeToTheOrigin) {
    Matrix4 v;
    lookAtMatrix(v, {1, 2, 3}, {1, 2, 28}, {0, 1, 0});
    Vec3 eye = transformPoint(v, {1, 2, 3});
    EXPECT_NEAR(eye.x, 0.0f, 1e-6f);
    EXPECT_NEAR(eye.y, 0.0f, 1e-6f);
    EXPECT_NEAR(eye.z, 0.0f, 1e-6f);
    // The target lies straight ahead, which OpenGL's eye space puts on -Z.
    Vec3 ahead = transformPoint(v, {1, 2, 28});
    EXPECT_NEAR(ahead.z, -25.0f, 1e-5f);
    // Translation row: -(s.e), -(u.e), f.e with s = (-1, 0, 0).
    EXPECT_FLOAT_EQ(v[12], 1.0f);
    EXPECT_FLOAT_EQ(v[13], -2.0f);
    EXPECT_FLOAT_EQ(v[14], 3.0f);
}

TEST(Matrix, LookAtAtTheTargetKeepsAZeroForward) {
    Matrix4 v;
    lookAtMatrix(v, {4, 4, 4}, {4, 4, 4}, {0, 1, 0});
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(std::isfinite(v[i])) << i;
    EXPECT_EQ(v[2], -0.0f);
    EXPECT_EQ(v[10], -0.0f);
}

}  // namespace
