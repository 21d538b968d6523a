#include "game/explosion.h"

#include "platform/gl.h"

void enableRoundPoints() {
    glEnable(GL_POINT_SMOOTH);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
}

void drawExplosion(const ExplosionEmitter& emitter) {
    glPointSize(float(emitter.pointSize));
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    // The positions are world coordinates: the view lives in the projection.
    glLoadIdentity();
    glBegin(GL_POINTS);
    for (int i = 0; i < emitter.drawnCount; ++i) {
        const Particle& p = emitter.particles[emitter.drawn[i]];
        glColor4fv(p.colour);
        glVertex3f(p.position.x, p.position.y, p.position.z);
    }
    glEnd();
    glPopAttrib();
}
