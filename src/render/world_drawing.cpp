#include "render/world_drawing.h"

#include "render/renderer.h"

namespace {

// The star field and every live object; the shots, then the particles as
// this pass left them when the emitter was live in it.
void drawPass(const World& world, const ExplosionPass& particles) {
    drawStarField();
    drawObject(world.station);
    for (const SceneObject& o : world.deathStars) drawObject(o);
    for (const SceneObject& o : world.solarPanels) drawObject(o);
    for (const SceneObject& o : world.enemies) drawObject(o);
    drawShots(world.shots, kShotCount);
    if (particles.shown) drawParticles(particles, world.explosion.pointSize);
}

void drawStereoPasses(const World& world) {
    const GameState& s = world.state;
    const Camera& c = world.camera;
    beginPass(c.viewMatrix, s.blueAmbient, s.blueDiffuse);
    drawPass(world, world.explosionPasses[0]);
    keepFirstPass(world.fadeColour);
    Matrix4 otherEye;
    lookAtMatrix(otherEye, c.eye + c.stereoOffset, c.target, c.up);
    beginPass(otherEye, s.redAmbient, s.redDiffuse);
    drawPass(world, world.explosionPasses[1]);
    drawStereoOverlay(world.blueScreen);
}

}  // namespace

void prepareWorldDrawing(const World& world) {
    // In the order the models were loaded, so their textures are made in it too.
    for (const SceneObject& o : world.enemies) prepareModel(o, true);
    for (const SceneObject& o : world.deathStars) prepareModel(o, true);
    for (const ShotObject& shot : world.shots) prepareModel(shot.object, false);
    for (const SceneObject& o : world.solarPanels) prepareModel(o, true);
    prepareModel(world.station, true);
    if (world.settings.highQualityTextures) prepareMipmaps(world.solarPanels[0]);
    if (world.settings.stereo)
        prepareStereoOverlay(world.blueScreen, world.state.overlayTexelsOnPixels);
    prepareParticles();
    prepareStars(world.stars, kStarCount);
}

void drawWorldFrame(const World& world, bool again) {
    if (again)
        beginSameFrameAgain(world.clearColour);
    else
        beginFrame(world.clearColour);
    if (world.settings.stereo) {
        drawStereoPasses(world);
    } else {
        beginPass(world.camera.viewMatrix, nullptr, nullptr);
        drawPass(world, world.explosionPasses[0]);
    }
    drawTextBox(world.scoreOverlay);
    endFrame();
}
