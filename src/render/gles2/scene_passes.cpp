// The frame and its passes in OpenGL ES 2: the view is multiplied onto the
// perspective as the pass's projection, every object sets its own matrix as
// the model matrix, and the stereo mode draws its first pass into a texture
// of its own instead of copying it out of the frame.
#include "render/renderer.h"

#include "game/world.h"
#include "math/camera.h"
#include "render/gles2/frame_state.h"
#include "render/gles2/gl.h"
#include "render/gles2/model_drawing.h"
#include "render/gles2/shading.h"
#include "render/gles2/stream_buffers.h"
#include "render/gles2/texture_cache.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The first stereo pass's own framebuffer, its colour a texture the overlay
// draws with.
struct FirstPass {
    uint32_t framebuffer = 0, texture = 0, depth = 0;
    int width = 0, height = 0;  // the size its storage was made for
};

struct SceneDrawing {
    uint32_t starBuffer = 0;
    int starCount = 0;
    FirstPass firstPass;
    bool stereo = false;
    bool nearestTexel = false;
    bool highQualityTextures = false;
    // The normal current when the last frame began: the star field is lit
    // with it, so it is what the frame before left.
    Vec3 frameNormal{0.0f, 0.0f, 1.0f};
};

SceneDrawing scene;
FrameState frame;

void frustum(float out[16], double l, double r, double b, double t, double n, double f) {
    std::memset(out, 0, 16 * sizeof(float));
    out[0] = float(2 * n / (r - l));
    out[5] = float(2 * n / (t - b));
    out[8] = float((r + l) / (r - l));
    out[9] = float((t + b) / (t - b));
    out[10] = float(-(f + n) / (f - n));
    out[11] = -1.0f;
    out[14] = float(-2 * f * n / (f - n));
}

void ortho(float out[16], double l, double r, double b, double t, double n, double f) {
    std::memset(out, 0, 16 * sizeof(float));
    out[0] = float(2 / (r - l));
    out[5] = float(2 / (t - b));
    out[10] = float(-2 / (f - n));
    out[12] = float(-(r + l) / (r - l));
    out[13] = float(-(t + b) / (t - b));
    out[14] = float(-(f + n) / (f - n));
    out[15] = 1.0f;
}

void multiply(float out[16], const float a[16], const float b[16]) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[4 * k + r] * b[4 * c + k];
            out[4 * c + r] = sum;
        }
}

bool hasExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return all && std::strstr(all, name);
}

// Storage for the first pass at the frame's size, made once per size: a
// colour texture (sampled as the overlay's texture) and a depth buffer as
// deep as the driver allows.
void makeFirstPassStorage(FirstPass& p) {
    if (p.framebuffer == 0) {
        glGenFramebuffers(1, &p.framebuffer);
        glGenRenderbuffers(1, &p.depth);
    }
    glBindTexture(GL_TEXTURE_2D, p.texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, frame.width, frame.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindRenderbuffer(GL_RENDERBUFFER, p.depth);
    const GLenum depthFormat = hasExtension("GL_OES_depth24") ? 0x81A6 /* DEPTH_COMPONENT24_OES */
                                                              : GL_DEPTH_COMPONENT16;
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, frame.width, frame.height);
    glBindFramebuffer(GL_FRAMEBUFFER, p.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, p.texture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, p.depth);
    p.width = frame.width;
    p.height = frame.height;
}

void clearWith(const float* c) {
    glClearColor(c[0], c[1], c[2], c[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawPrepared(const SceneObject& o, uint32_t texture) {
    if (o.side < kSidePlayer) return;
    setModelMatrix(o.matrix);
    drawModelBuffer(modelHandlesOf(o), texture);
}

// The clear colour as a framebuffer of 8 bits a channel holds it, then cut
// to 3-3-2 bits.
void quantiseClearColour(const float c[4], float out[4]) {
    const int bits[3] = {3, 3, 2};
    for (int i = 0; i < 3; ++i)
        out[i] = cutTo(uint8_t(std::lround(std::clamp(c[i], 0.0f, 1.0f) * 255.0f)), bits[i]) / 255.0f;
    out[3] = c[3];
}

}  // namespace

FrameState& frameState() { return frame; }

bool setUpRenderer(const float clearColour[4], const WorldSettings& settings) {
    frame.width = settings.width;
    frame.height = settings.height;
    const double h = kNearPlane * std::tan(kHalfFieldOfView);
    const double aspect = double(float(settings.width) / float(settings.height));
    frustum(frame.perspective, -h * aspect, h * aspect, -h, h, kNearPlane, kFarPlane);
    scene.highQualityTextures = settings.highQualityTextures;
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glViewport(0, 0, settings.width, settings.height);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (!makeShading()) return false;
    setProjection(frame.perspective);
    resetTextureCache(settings.highQualityTextures);
    return true;
}

void prepareModel(const SceneObject& object, bool wholeModel) {
    prepareModelHandles(object, wholeModel);
}

void prepareMipmaps(const SceneObject& object) { buildMipmaps(modelHandlesOf(object).texture); }

void prepareStars(const Star* stars, int count) {
    std::vector<float> positions;
    for (int i = 0; i < count; ++i)
        positions.insert(positions.end(),
                         {stars[i].position.x, stars[i].position.y, stars[i].position.z});
    glGenBuffers(1, &scene.starBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, scene.starBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(positions.size() * sizeof(float)),
                 positions.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    scene.starCount = count;
}

void prepareStereoOverlay(const SceneObject& overlay, bool nearestTexel) {
    prepareModelHandles(overlay, true);
    scene.stereo = true;
    scene.nearestTexel = nearestTexel;
    glGenTextures(1, &scene.firstPass.texture);
    glBindTexture(GL_TEXTURE_2D, scene.firstPass.texture);
    const GLint filter = nearestTexel ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// With the low texture quality the first pass is kept at 3-3-2 bits, as
// OpenGL 1.1 stores its copy. Its colours are quantised as they are written,
// not where the overlay samples them: sampling then filters quantised
// texels as the copy's texture does, and the overlay, a full-screen blend,
// stays a plain textured draw: on llvmpipe about 2.5 ms less of a 1024x800
// stereo frame.
// (A blended fragment of the first pass lands between the steps.)
void beginSameFrameAgain(const float clearColour[4]) {
    setCurrentNormal(scene.frameNormal);
    if (!scene.stereo) {
        clearWith(clearColour);
        return;
    }
    FirstPass& p = scene.firstPass;
    if (p.width != frame.width || p.height != frame.height) makeFirstPassStorage(p);
    glBindFramebuffer(GL_FRAMEBUFFER, p.framebuffer);
    float kept[4];
    if (!scene.highQualityTextures) quantiseClearColour(clearColour, kept);
    clearWith(scene.highQualityTextures ? clearColour : kept);
    setColourQuantised(!scene.highQualityTextures);
}

void beginFrame(const float clearColour[4]) {
    scene.frameNormal = currentNormal();
    beginSameFrameAgain(clearColour);
}

void beginPass(const Matrix4& view, const float* ambient, const float* diffuse) {
    float projection[16];
    multiply(projection, frame.perspective, view.m);
    setProjection(projection);
    if (ambient) setLightColours(ambient, diffuse, diffuse);
    setLighting(true);
}

void keepFirstPass(const float clearColour[4]) {
    setColourQuantised(false);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    clearWith(clearColour);
}

void endFrame() { setProjection(frame.perspective); }

// Lit like everything else, with the material and the normal the frame
// before left: OpenGL 1.1 ignores the stars' colours while lighting is on.
void drawStarField() {
    if (scene.starBuffer == 0) return;
    setIdentityModel();
    setTexture(0);
    setPoints(1.0f, true);
    glBindBuffer(GL_ARRAY_BUFFER, scene.starBuffer);
    glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(kPositionAttribute);
    applyShading();
    glDrawArrays(GL_POINTS, 0, scene.starCount);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    setPoints(1.0f, false);
}

void drawObject(const SceneObject& object) {
    drawPrepared(object, modelHandlesOf(object).texture);
}

void drawShots(const ShotObject* shots, int count) {
    setLighting(false);
    for (int i = 0; i < count; ++i) drawShotArrays(shots[i]);
    setLighting(true);
}

// The first pass laid over the second through the screen rectangle, whose
// model decides what it covers and how strongly the blue shows. It is tested
// against the second pass's depth but writes none: nothing after it in the
// frame reads depth, and a software renderer saves a store a pixel.
void drawStereoOverlay(const SceneObject& overlay) {
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    float projection[16];
    ortho(projection, -32.0, 32.0, -24.0, 24.0, -100.0, 100.0);
    setProjection(projection);
    setLighting(false);
    drawPrepared(overlay, scene.firstPass.texture);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    setLighting(true);
}

const char* rendererName() { return "OpenGL ES 2.0"; }

void releaseRenderer() {
    FirstPass& p = scene.firstPass;
    if (scene.starBuffer != 0) glDeleteBuffers(1, &scene.starBuffer);
    if (p.texture != 0) glDeleteTextures(1, &p.texture);
    if (p.framebuffer != 0) glDeleteFramebuffers(1, &p.framebuffer);
    if (p.depth != 0) glDeleteRenderbuffers(1, &p.depth);
    scene = SceneDrawing{};
    releaseModelHandles();
    releaseTextureCache();
    releaseStreamBuffers();
    releaseTextBox();
    releaseShading();
}
