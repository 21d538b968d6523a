#include "render/gl1/fixed_state.h"

#include "render/gl1/gl.h"

namespace {

void setFixedGlState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
}

// Light 0 (a white light from above and behind, with no highlight of its
// own), the light model, the current colour and the front material, with the
// model-view matrix still the identity.
void setUpLightAndMaterial() {
    const float lightAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float lightSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const float lightPosition[4] = {0.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float emission[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
}

}  // namespace

void setFixedState(const float clearColour[4], int width, int height) {
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setPerspective(float(width) / float(height));
    setFixedGlState();
    setUpLightAndMaterial();
}
