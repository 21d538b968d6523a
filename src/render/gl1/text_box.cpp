#include "render/renderer.h"

#include "overlay/text_overlay.h"
#include "render/gl1/gl.h"

// The bitmap copied onto the frame with its lower-left corner at the raster
// position, over everything (no depth test, no lighting, no texture). Leaves
// both matrices identity and the model-view current; the enable switches are
// as they were.
void drawTextBox(const TextOverlay& overlay) {
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
