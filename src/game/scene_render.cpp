#include "game/scene_render.h"

#include "model/model_drawing.h"
#include "model/texture_cache.h"
#include "platform/gl.h"

namespace {

// What the drawing makes for the world besides its models.
struct SceneDrawing {
    uint32_t starList = 0;       // display list of the star field
    uint32_t screenTexture = 0;  // the stereo mode's copy of its first pass
    int screenTextureWidth = 0;  // the size its storage was made for (0: none yet)
    int screenTextureHeight = 0;
};

SceneDrawing scene;

void setClearColour(const float (&c)[4]) { glClearColor(c[0], c[1], c[2], c[3]); }

// A model that failed to load has no list; calling list 0 would draw nothing
// but leave an error behind.
void callList(uint32_t list) {
    if (list != 0) glCallList(list);
}

void drawObject(const SceneObject& o, uint32_t texture, uint32_t list) {
    if (o.side < kSidePlayer) return;
    glLoadIdentity();
    glLoadMatrixf(o.matrix.m);
    glBindTexture(GL_TEXTURE_2D, texture);
    callList(list);
}

void drawListObject(const SceneObject& o) {
    const ModelHandles d = modelHandlesOf(o);
    drawObject(o, d.texture, d.displayList);
}

void setLightColours(const float (&ambient)[4], const float (&diffuse)[4]) {
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, diffuse);
}

// The particles as this pass left them, when the emitter was live in it.
void drawPass(const World& world, const ExplosionPass& particles) {
    drawWorldObjects(world);
    if (particles.shown) drawExplosion(particles, world.explosion.pointSize);
}

// The first copy makes the texture's storage, in the chosen quality; later
// frames of the same size copy into it. Its texels are the same either way,
// and no driver has to free and make a frame-sized texture in every frame
// (Mesa already spares itself that; a driver on Windows may not).
void keepFirstPass(const WorldSettings& settings) {
    glBindTexture(GL_TEXTURE_2D, scene.screenTexture);
    if (scene.screenTextureWidth == settings.width &&
        scene.screenTextureHeight == settings.height) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, settings.width, settings.height);
        return;
    }
    glCopyTexImage2D(GL_TEXTURE_2D, 0, settings.highQualityTextures ? GL_RGB : GL_R3_G3_B2, 0, 0,
                     settings.width, settings.height, 0);
    scene.screenTextureWidth = settings.width;
    scene.screenTextureHeight = settings.height;
}

// The first pass, lit blue from the camera's eye, is kept in a texture; the
// second is lit red from the other eye, on the background as the fade left it
// after this frame's update.
void drawBlueEyeAndTurnToTheRed(const World& world) {
    const GameState& s = world.state;
    setLightColours(s.blueAmbient, s.blueDiffuse);
    drawPass(world, world.explosionPasses[0]);
    keepFirstPass(world.settings);
    setClearColour(world.fadeColour);
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
    drawObject(world.blueScreen, scene.screenTexture, modelHandlesOf(world.blueScreen).displayList);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

void renderScene(const World& world) {
    const bool stereo = world.settings.stereo;
    if (stereo) drawBlueEyeAndTurnToTheRed(world);
    drawPass(world, world.explosionPasses[stereo ? 1 : 0]);
    if (stereo) overlayBlueImage(world);
    drawToFrame(world.scoreOverlay);
}

void compileStarList(const Star (&stars)[kStarCount]) {
    scene.starList = takeDisplayListName();
    if (scene.starList == 0) return;
    glNewList(scene.starList, GL_COMPILE);
    glPointSize(1.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POINTS);
    for (const Star& star : stars) {
        const float colour[4] = {star.grey, star.grey, star.grey, 1.0f};
        glColor4fv(colour);
        glVertex3f(star.position.x, star.position.y, star.position.z);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glEndList();
}

void prepareStereo(const World& world) {
    prepareModelHandles(world.blueScreen, true);
    glGenTextures(1, &scene.screenTexture);
    glBindTexture(GL_TEXTURE_2D, scene.screenTexture);
    const GLint filter = world.state.overlayTexelsOnPixels ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

}  // namespace

void prepareSceneDrawing(const World& world) {
    // In the order the models were loaded, so the textures are made in it too.
    for (const SceneObject& o : world.enemies) prepareModelHandles(o, true);
    for (const SceneObject& o : world.deathStars) prepareModelHandles(o, true);
    for (const ShotObject& shot : world.shots) prepareModelHandles(shot.object, false);
    for (const SceneObject& o : world.solarPanels) prepareModelHandles(o, true);
    prepareModelHandles(world.station, true);
    if (world.settings.highQualityTextures)
        buildMipmaps(modelHandlesOf(world.solarPanels[0]).texture);
    if (world.settings.stereo) prepareStereo(world);
    enableRoundPoints();
    compileStarList(world.stars);
}

void releaseSceneDrawing() {
    if (scene.starList != 0) glDeleteLists(scene.starList, 1);
    if (scene.screenTexture != 0) glDeleteTextures(1, &scene.screenTexture);
    scene = SceneDrawing{};
    glGetError();
    releaseModelHandles();
}

void drawWorldObjects(const World& world) {
    callList(scene.starList);
    drawListObject(world.station);
    for (const SceneObject& o : world.deathStars) drawListObject(o);
    for (const SceneObject& o : world.solarPanels) drawListObject(o);
    for (const SceneObject& o : world.enemies) drawListObject(o);
    glDisable(GL_LIGHTING);
    for (const ShotObject& shot : world.shots) drawWithVertexArrays(shot);
    glEnable(GL_LIGHTING);
}

void drawFrame(const World& world) {
    setClearColour(world.clearColour);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyView(world.camera);
    renderScene(world);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}
