#include "math/camera.h"

#include "platform/gl.h"

#include <cmath>

void setPerspective(float aspect) {
    double h = kNearPlane * std::tan(kHalfFieldOfView);
    glFrustum(-h * aspect, h * aspect, -h, h, kNearPlane, kFarPlane);
}

void applyView(const Camera& camera) {
    glMultMatrixf(camera.viewMatrix.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void multiplyLookAt(Vec3 eye, Vec3 target, Vec3 up) {
    Matrix4 view;
    lookAtMatrix(view, eye, target, up);
    glMultMatrixf(view.m);
}
