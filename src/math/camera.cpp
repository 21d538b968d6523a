#include "math/camera.h"

void initCamera(Camera& camera) {
    camera.viewMatrix = viewMatrixFromBasis({0, 1, -5}, {0, 0, 1}, {-1, 0, 0}, {0, 1, 0});
}

void updateCamera(Camera& camera, const Matrix4& player) {
    camera.eye = matrixPosition(player);
    camera.target = camera.eye + kLookDistance * matrixAxisZ(player);
    camera.up = matrixAxisY(player);
    camera.stereoOffset = kStereoEyeOffset * matrixAxisX(player);
    lookAtMatrix(camera.viewMatrix, camera.eye, camera.target, camera.up);
}
