#include "render/world_drawing.h"

#include "render/renderer.h"

namespace {

// What moves comes from `placed`: the world itself, or a view of it between
// two frames (game/drawn_view.h), which names its parts alike.

// The star field and every live object; the shots, then the particles as
// this pass left them when the emitter was live in it.
template <class Placed>
void drawPass(const Placed& placed, const ExplosionPass& particles, int32_t pointSize) {
    drawStarField();
    drawObject(placed.station);
    for (const SceneObject& o : placed.deathStars) drawObject(o);
    for (const SceneObject& o : placed.solarPanels) drawObject(o);
    for (const SceneObject& o : placed.enemies) drawObject(o);
    drawShots(placed.shots, kShotCount);
    if (particles.shown) drawParticles(particles, pointSize);
}

template <class Placed>
void drawStereoPasses(const World& world, const Placed& placed) {
    const GameState& s = world.state;
    const Camera& c = placed.camera;
    const int32_t pointSize = world.explosion.pointSize;
    beginPass(c.viewMatrix, s.blueAmbient, s.blueDiffuse);
    drawPass(placed, placed.explosionPasses[0], pointSize);
    keepFirstPass(world.fadeColour);
    Matrix4 otherEye;
    lookAtMatrix(otherEye, c.eye + c.stereoOffset, c.target, c.up);
    beginPass(otherEye, s.redAmbient, s.redDiffuse);
    drawPass(placed, placed.explosionPasses[1], pointSize);
    drawStereoOverlay(world.blueScreen);
}

template <class Placed>
void drawFrame(const World& world, const Placed& placed, bool again) {
    if (again)
        beginSameFrameAgain(world.clearColour);
    else
        beginFrame(world.clearColour);
    if (world.settings.stereo) {
        drawStereoPasses(world, placed);
    } else {
        beginPass(placed.camera.viewMatrix, nullptr, nullptr);
        drawPass(placed, placed.explosionPasses[0], world.explosion.pointSize);
    }
    drawTextBox(world.scoreOverlay);
    endFrame();
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

void drawWorldFrame(const World& world, bool again) { drawFrame(world, world, again); }

void drawWorldFrame(const World& world, const DrawnView& view, bool again) {
    drawFrame(world, view, again);
}
