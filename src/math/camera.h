#pragma once
#include "math/matrix4.h"

// The camera riding on the player object. Its view matrix is multiplied onto
// the projection, so OpenGL's eye space is the game's world space. The
// projection and view functions (camera_gl.cpp) need the GL context; the
// camera's own updates do not.
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

// Multiplies the perspective onto the current matrix; aspect = width / height.
void setPerspective(float aspect);
// The start-up view: five units behind the origin, one up, looking along +Z.
void initCamera(Camera& camera);
// Puts the camera at the player's origin, looking along its forward axis.
void updateCamera(Camera& camera, const Matrix4& player);
// With the plain perspective pushed: multiplies the view onto it, then leaves
// an identity model-view matrix current.
void applyView(const Camera& camera);
void multiplyLookAt(Vec3 eye, Vec3 target, Vec3 up);
