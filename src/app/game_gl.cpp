#include "app/game_gl.h"

#include "math/camera.h"
#include "platform/gl.h"

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
    lightCount = 1;
    glDisable(GL_LIGHT1);
}

}  // namespace

void setUpGameGl(const float clearColour[4], int width, int height) {
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setPerspective(float(width) / float(height));
    setFixedGlState();
    setupLightAndMaterial();
}
