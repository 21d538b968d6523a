#include "overlay/text_overlay.h"

#include "platform/gl.h"

void drawToFrame(const TextOverlay& overlay) {
    if (overlay.pixels.empty()) return;
    // The box may be drawn inside a frame or after it: the matrices and the
    // matrix mode it changes are given back as it found them.
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    // No blend function of its own: with blending on, the scene's applies.
    if (overlay.blend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1, 1, 1, 1);
    glRasterPos2f(overlay.rasterX, overlay.rasterY);
    glDrawPixels(overlay.width, overlay.height, GL_BGRA_EXT, GL_UNSIGNED_BYTE,
                 overlay.pixels.data());
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(modelView);
    glPopAttrib();
}
