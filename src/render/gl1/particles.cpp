#include "render/renderer.h"

#include "game/explosion.h"
#include "render/gl1/gl.h"

// The point smoothing every burst is drawn with.
void prepareParticles() {
    glEnable(GL_POINT_SMOOTH);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
}

void drawParticles(const ExplosionPass& pass, int32_t pointSize) {
    glPointSize(float(pointSize));
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    // The positions are world coordinates: the view lives in the projection.
    glLoadIdentity();
    glBegin(GL_POINTS);
    for (int i = 0; i < pass.count; ++i) {
        const Vec3& p = pass.positions[i];
        glColor4fv(pass.colours[i]);
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
    glPopAttrib();
}
