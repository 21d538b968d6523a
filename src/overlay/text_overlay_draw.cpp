#include "overlay/text_overlay.h"

#include "platform/gl.h"

void drawToFrame(const TextOverlay& overlay) {
    if (overlay.pixels.empty()) return;
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    // No blend function of its own: with blending on, the scene's applies.
    if (overlay.blend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    // Not pushed: the box is the frame's last drawing, and the frame loop
    // restores the projection it saved when the frame began.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1, 1, 1, 1);
    glRasterPos2f(overlay.rasterX, overlay.rasterY);
    glDrawPixels(overlay.width, overlay.height, GL_BGRA_EXT, GL_UNSIGNED_BYTE,
                 overlay.pixels.data());
    glPopAttrib();
}
