#include "game/scene_render.h"

#include "model/model_loading.h"
#include "platform/gl.h"

namespace {

// After a ram the background flashes and darkens to black over five seconds.
void fadeBackground(const World& world) {
    const float g = world.gameSeconds;
    if (world.state.playing == 0 && g < 5.0f)
        glClearColor(1.0f - 0.2f * g, 0.25f - 0.05f * g, 0.5f - 0.1f * g, 1.0f);
}

// A model that failed to load has no list; calling list 0 would draw nothing
// but leave an error behind.
void callList(uint32_t list) {
    if (list != 0) glCallList(list);
}

void drawListObject(const SceneObject& o) {
    if (o.side < kSidePlayer) return;
    glLoadIdentity();
    glLoadMatrixf(o.matrix.m);
    glBindTexture(GL_TEXTURE_2D, o.textureId);
    callList(o.displayList);
}

void setLightColours(const float (&ambient)[4], const float (&diffuse)[4]) {
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, diffuse);
}

// The explosion moves on in every pass, drawn or not.
bool advanceExplosion(World& world) {
    return stepExplosion(world.explosion, world.frameSeconds, world.random,
                         world.explosionOrigin, world.explosionDrift);
}

void drawPass(World& world) {
    drawWorldObjects(world);
    if (advanceExplosion(world)) drawExplosion(world.explosion);
}

// The first copy makes the texture's storage, in the chosen quality; later
// frames of the same size copy into it. Its texels are the same either way,
// and no driver has to free and make a frame-sized texture in every frame
// (Mesa already spares itself that; a driver on Windows may not).
void keepFirstPass(GameState& s, const WorldSettings& settings) {
    glBindTexture(GL_TEXTURE_2D, s.screenTexture);
    if (s.screenTextureWidth == settings.width && s.screenTextureHeight == settings.height) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, settings.width, settings.height);
        return;
    }
    glCopyTexImage2D(GL_TEXTURE_2D, 0, settings.highQualityTextures ? GL_RGB : GL_R3_G3_B2, 0, 0,
                     settings.width, settings.height, 0);
    s.screenTextureWidth = settings.width;
    s.screenTextureHeight = settings.height;
}

// The first pass, lit blue from the camera's eye, is kept in a texture; the
// second is lit red from the other eye.
void drawBlueEyeAndTurnToTheRed(World& world) {
    GameState& s = world.state;
    setLightColours(s.blueAmbient, s.blueDiffuse);
    drawPass(world);
    keepFirstPass(s, world.settings);
    // Nothing moves again in the second pass of the same frame.
    world.frameSeconds = 0.0f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPushMatrix();  // the plain perspective again, for the frame's last pop
    const Camera& c = world.camera;
    multiplyLookAt(c.eye + c.stereoOffset, c.target, c.up);
    setLightColours(s.redAmbient, s.redDiffuse);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The blue image laid over the red one through the screen rectangle, whose
// model decides what it covers and how strongly the blue shows.
void overlayBlueImage(const World& world) {
    glEnable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-32.0, 32.0, -24.0, 24.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    drawListObject(world.blueScreen);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

}  // namespace

void drawWorldObjects(const World& world) {
    callList(world.state.starList);
    drawListObject(world.station);
    for (const SceneObject& o : world.deathStars) drawListObject(o);
    for (const SceneObject& o : world.solarPanels) drawListObject(o);
    for (const SceneObject& o : world.enemies) drawListObject(o);
    glDisable(GL_LIGHTING);
    for (const ShotObject& shot : world.shots) drawWithVertexArrays(shot);
    glEnable(GL_LIGHTING);
}

void renderScene(World& world) {
    fadeBackground(world);
    const bool stereo = world.settings.stereo;
    if (stereo) drawBlueEyeAndTurnToTheRed(world);
    drawPass(world);
    if (stereo) overlayBlueImage(world);
    drawToFrame(world.scoreOverlay);
}

void advanceScenePasses(World& world) {
    // The clear colour too, so that a frame drawn after undrawn ones looks
    // as it would after drawn ones.
    fadeBackground(world);
    advanceExplosion(world);
    if (!world.settings.stereo) return;
    world.frameSeconds = 0.0f;
    advanceExplosion(world);
}

void clearFrameAndSaveProjection() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
}

void drawFrame(World& world) {
    applyView(world.camera);
    renderScene(world);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}
