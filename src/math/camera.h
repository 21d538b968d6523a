#pragma once
#include "math/matrix4.h"

// The camera riding on the player object. Its view matrix is what a drawing
// pass is seen through; the renderer makes the projection.
struct Camera {
    Matrix4 viewMatrix;
    Vec3 eye, target, up;
    Vec3 stereoOffset;  // where the second eye of the stereo mode stands
};

constexpr double kHalfFieldOfView = 0.39269876480102545;  // 22.5 degrees
constexpr double kNearPlane = 0.5;
constexpr double kFarPlane = 3000.0;
constexpr float kLookDistance = 25.0f;
constexpr float kStereoEyeOffset = -0.05f;

// The start-up view: five units behind the origin, one up, looking along +Z.
void initCamera(Camera& camera);
// Puts the camera at the player's origin, looking along its forward axis.
void updateCamera(Camera& camera, const Matrix4& player);
