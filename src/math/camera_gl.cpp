#include "math/camera.h"

#include "platform/gl.h"

#include <cmath>

LightSlot lightSlots[kLightSlots];
int lightCount = 0;

namespace {

void setQuad(float (&quad)[4], float a, float b, float c, float d) {
    quad[0] = a;
    quad[1] = b;
    quad[2] = c;
    quad[3] = d;
}

}  // namespace

void setPerspective(float aspect) {
    double h = kNearPlane * std::tan(kHalfFieldOfView);
    glFrustum(-h * aspect, h * aspect, -h, h, kNearPlane, kFarPlane);
}

void setupLightAndMaterial() {
    LightSlot& light = lightSlots[0];
    setQuad(light.ambient, 0.2f, 0.2f, 0.2f, 1.0f);
    setQuad(light.diffuse, 1.0f, 1.0f, 1.0f, 1.0f);
    setQuad(light.specular, 0.0f, 0.0f, 0.0f, 1.0f);
    setQuad(light.position, 0.0f, 1.0f, 1.0f, 1.0f);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
    glLightfv(GL_LIGHT0, GL_POSITION, light.position);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float emission[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
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
