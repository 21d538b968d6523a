// The frame and its passes in OpenGL 1.1: the view lives in the projection
// matrix, pushed plain at the frame's start and popped at its end, and every
// object loads its own matrix as the model-view.
#include "render/renderer.h"

#include "game/world.h"
#include "render/gl1/fixed_state.h"
#include "render/gl1/gl.h"
#include "render/gl1/model_drawing.h"
#include "render/gl1/texture_cache.h"

namespace {

// What the renderer makes for the world besides its models.
struct SceneDrawing {
    uint32_t starList = 0;       // display list of the star field
    uint32_t screenTexture = 0;  // the stereo mode's copy of its first pass
    int screenTextureWidth = 0;  // the size its storage was made for (0: none yet)
    int screenTextureHeight = 0;
    int width = 640, height = 480;  // the frame's
    bool highQualityTextures = false;
    // The normal current when the last frame began: the star field is drawn
    // with it (its list sets none), so it is what the frame before left.
    float frameNormal[4] = {0.0f, 0.0f, 1.0f, 0.0f};
};

SceneDrawing scene;

void setClearColour(const float* c) { glClearColor(c[0], c[1], c[2], c[3]); }

// A model that failed to load has no list; calling list 0 would draw nothing
// but leave an error behind.
void callList(uint32_t list) {
    if (list != 0) glCallList(list);
}

void drawListed(const SceneObject& o, uint32_t texture, uint32_t list) {
    if (o.side < kSidePlayer) return;
    glLoadIdentity();
    glLoadMatrixf(o.matrix.m);
    glBindTexture(GL_TEXTURE_2D, texture);
    callList(list);
}

void setLightColours(const float* ambient, const float* diffuse) {
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, diffuse);
}

}  // namespace

bool setUpRenderer(const float clearColour[4], const WorldSettings& settings) {
    scene.width = settings.width;
    scene.height = settings.height;
    scene.highQualityTextures = settings.highQualityTextures;
    setFixedState(clearColour, settings.width, settings.height);
    resetTextureCache(settings.highQualityTextures);
    return true;
}

void prepareModel(const SceneObject& object, bool wholeModel) {
    prepareModelHandles(object, wholeModel);
}

void prepareMipmaps(const SceneObject& object) { buildMipmaps(modelHandlesOf(object).texture); }

void prepareStars(const Star* stars, int count) {
    scene.starList = takeDisplayListName();
    if (scene.starList == 0) return;
    glNewList(scene.starList, GL_COMPILE);
    glPointSize(1.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POINTS);
    for (int i = 0; i < count; ++i) {
        const Star& star = stars[i];
        const float colour[4] = {star.grey, star.grey, star.grey, 1.0f};
        glColor4fv(colour);
        glVertex3f(star.position.x, star.position.y, star.position.z);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glEndList();
}

void prepareStereoOverlay(const SceneObject& overlay, bool nearestTexel) {
    prepareModelHandles(overlay, true);
    glGenTextures(1, &scene.screenTexture);
    glBindTexture(GL_TEXTURE_2D, scene.screenTexture);
    const GLint filter = nearestTexel ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void beginSameFrameAgain(const float clearColour[4]) {
    glNormal3fv(scene.frameNormal);
    setClearColour(clearColour);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
}

void beginFrame(const float clearColour[4]) {
    glGetFloatv(GL_CURRENT_NORMAL, scene.frameNormal);
    beginSameFrameAgain(clearColour);
}

void beginPass(const Matrix4& view, const float* ambient, const float* diffuse) {
    glMultMatrixf(view.m);
    if (ambient) setLightColours(ambient, diffuse);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The first copy makes the texture's storage, in the chosen quality; later
// frames of the same size copy into it. Its texels are the same either way,
// and no driver has to free and make a frame-sized texture in every frame
// (Mesa already spares itself that; a driver on Windows may not).
void keepFirstPass(const float clearColour[4]) {
    glBindTexture(GL_TEXTURE_2D, scene.screenTexture);
    if (scene.screenTextureWidth == scene.width && scene.screenTextureHeight == scene.height) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, scene.width, scene.height);
    } else {
        glCopyTexImage2D(GL_TEXTURE_2D, 0, scene.highQualityTextures ? GL_RGB : GL_R3_G3_B2, 0,
                         0, scene.width, scene.height, 0);
        scene.screenTextureWidth = scene.width;
        scene.screenTextureHeight = scene.height;
    }
    setClearColour(clearColour);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPushMatrix();  // the plain perspective again, for the frame's last pop
}

void endFrame() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}

void drawStarField() { callList(scene.starList); }

void drawObject(const SceneObject& object) {
    const ModelHandles handles = modelHandlesOf(object);
    drawListed(object, handles.texture, handles.displayList);
}

void drawShots(const ShotObject* shots, int count) {
    glDisable(GL_LIGHTING);
    for (int i = 0; i < count; ++i) drawWithVertexArrays(shots[i]);
    glEnable(GL_LIGHTING);
}

// The blue image laid over the red one through the screen rectangle, whose
// model decides what it covers and how strongly the blue shows.
void drawStereoOverlay(const SceneObject& overlay) {
    glEnable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-32.0, 32.0, -24.0, 24.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    drawListed(overlay, scene.screenTexture, modelHandlesOf(overlay).displayList);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

const char* rendererName() { return "OpenGL 1.1"; }

void releaseRenderer() {
    if (scene.starList != 0) glDeleteLists(scene.starList, 1);
    if (scene.screenTexture != 0) glDeleteTextures(1, &scene.screenTexture);
    scene = SceneDrawing{};
    glGetError();
    releaseModelHandles();
    releaseTextureCache();
}
