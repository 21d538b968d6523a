#include "math/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Camera camera;

void expectVec(Vec3 v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

TEST(Camera, FollowsAPlayerAtOneTwoThree) {
    Matrix4 player = matrixFromAngles({}, {1, 2, 3});
    updateCamera(camera, player);
    expectVec(camera.eye, 1, 2, 3);
    expectVec(camera.target, 1, 2, 28);
    expectVec(camera.up, 0, 1, 0);
    expectVec(camera.stereoOffset, -0.05f, 0, 0);
    EXPECT_FLOAT_EQ(camera.viewMatrix[0], -1.0f);
    EXPECT_FLOAT_EQ(camera.viewMatrix[4], 0.0f);
    EXPECT_FLOAT_EQ(camera.viewMatrix[8], 0.0f);
}

TEST(Camera, RollsWithTheTurnedPlayer) {
    // Yawed +90 degrees: forward is +X, so the target lies 25 units along X,
    // and the second eye stands on the player's negative side axis.
    Matrix4 player = matrixFromAngles({0, float(M_PI / 2), 0}, {0, 0, 0});
    updateCamera(camera, player);
    expectVec(camera.target, 25, 0, 0);
    expectVec(camera.stereoOffset, 0, 0, 0.05f);

    // Turned every way: the view puts the player's forward straight ahead
    // (-Z in OpenGL's eye space), its up on +Y and its -X on the right.
    player = matrixFromAngles({0.2f, 0.5f, 0.1f}, {1, 2, 3});
    updateCamera(camera, player);
    Vec3 eye = matrixPosition(player);
    expectVec(transformPoint(camera.viewMatrix, eye), 0, 0, 0);
    expectVec(transformPoint(camera.viewMatrix, camera.target), 0, 0, -25);
    expectVec(transformPoint(camera.viewMatrix, eye + matrixAxisY(player)), 0, 1, 0);
    expectVec(transformPoint(camera.viewMatrix, eye - matrixAxisX(player)), 1, 0, 0);
}

TEST(Camera, StartViewStandsBehindTheOrigin) {
    initCamera(camera);
    const Matrix4& v = camera.viewMatrix;
    EXPECT_EQ(v[0], -1.0f);
    EXPECT_EQ(v[5], 1.0f);
    EXPECT_EQ(v[10], -1.0f);
    EXPECT_FLOAT_EQ(v[13], -1.0f);
    EXPECT_FLOAT_EQ(v[14], -5.0f);
    Vec3 origin = transformPoint(v, {0, 0, 0});
    EXPECT_FLOAT_EQ(origin.z, -5.0f);  // five units ahead of the eye
}

}  // namespace
