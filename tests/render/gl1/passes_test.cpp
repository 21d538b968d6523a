// The OpenGL 1.1 renderer's projection and passes: the view is multiplied onto
// the plain perspective, the model-view left for each object's own matrix.
#include "math/camera.h"
#include "render/gl1/fixed_state.h"
#include "render/gl1/gl.h"
#include "render/renderer.h"
#include "support/gl_fixture.h"

#include <gtest/gtest.h>

namespace {

Camera camera;

Matrix4 currentMatrix(GLenum which) {
    Matrix4 m;
    glGetFloatv(which, m.m);
    return m;
}

using CameraGl = GlTest;

TEST_F(CameraGl, PerspectiveOfA640By480WindowIsA45DegreeFrustumFromHalfAUnitTo3000) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setPerspective(640.0f / 480.0f);
    const double l = -0.2761421, r = 0.2761421, b = -0.2071066, t = 0.2071066, n = 0.5, f = 3000;
    Matrix4 p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], 2 * n / (r - l), 1e-5);
    EXPECT_NEAR(p[5], 2 * n / (t - b), 1e-5);
    EXPECT_NEAR(p[8], (r + l) / (r - l), 1e-6);
    EXPECT_NEAR(p[9], (t + b) / (t - b), 1e-6);
    EXPECT_NEAR(p[10], -(f + n) / (f - n), 1e-6);
    EXPECT_NEAR(p[11], -1.0, 1e-6);
    EXPECT_NEAR(p[14], -2 * f * n / (f - n), 1e-5);
    EXPECT_EQ(p[15], 0.0f);
}

TEST_F(CameraGl, APassMultipliesItsViewOntoTheProjectionAndResetsModelView) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(9, 9, 9);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScalef(2, 2, 2);
    updateCamera(camera, matrixFromAngles({0.2f, 0.5f, 0.1f}, {1, 2, 3}));
    beginPass(camera.viewMatrix, nullptr, nullptr);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    Matrix4 modelView = currentMatrix(GL_MODELVIEW_MATRIX);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(modelView[i], identityMatrix()[i]) << i;
    Matrix4 projection = currentMatrix(GL_PROJECTION_MATRIX);
    for (int i = 0; i < 16; ++i) {
        float scale = (i % 4 == 3) ? 1.0f : 2.0f;  // the bottom row is not scaled
        EXPECT_NEAR(projection[i], scale * camera.viewMatrix[i], 1e-5f) << i;
    }
}

TEST_F(CameraGl, TheOtherEyesPassPutsItsLookAtOnTheProjectionAndItsLightColours) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    Matrix4 expected;
    lookAtMatrix(expected, {1, 2, 3}, {1, 2, 28}, {0, 1, 0});
    const float ambient[4] = {0.25f, 0, 0, 1}, diffuse[4] = {0.75f, 0, 0, 1};
    beginPass(expected, ambient, diffuse);
    glMatrixMode(GL_PROJECTION);
    Matrix4 projection = currentMatrix(GL_PROJECTION_MATRIX);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(projection[i], expected[i], 1e-6f) << i;
    float light[4] = {};
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, light);
    EXPECT_EQ(light[0], 0.75f);  // the highlight takes the diffuse colour
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, light);
    EXPECT_EQ(light[0], 0.25f);
}

}  // namespace
