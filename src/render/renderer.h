#pragma once
#include <cstdint>
#include <vector>

// What the game asks of a renderer. One renderer is linked, chosen by the
// build like the platform files (src/render/<name>/, VEXAR_RENDERER). It
// keeps every handle it makes (geometry, textures, the kept stereo pass);
// the world holds none, and drawing never changes it. All of it needs the
// game's context current.

struct ExplosionPass;
struct Matrix4;
struct SceneObject;
struct ShotObject;
struct Star;
struct TextOverlay;
struct WorldSettings;

// The fixed state: the clear colour, the viewport and the plain perspective
// of the frame's size, the switches, light 0 and the material; the texture
// quality for what is prepared after. False when the driver refuses what the
// renderer needs of it (the player has been told in the error box).
bool setUpRenderer(const float clearColour[4], const WorldSettings& settings);

// A loaded model's texture and, for a model drawn whole, its geometry, made
// the first time its number is asked for; the objects sharing the model draw
// with them. A shot's geometry is its own arrays, read when it is drawn.
void prepareModel(const SceneObject& object, bool wholeModel);
// The mipmaps of a prepared model's texture, in the high texture quality.
void prepareMipmaps(const SceneObject& object);
// The star field, the stereo overlay (its model and the texture the first
// pass is kept in; `nearestTexel` when each texel lies on its own pixel) and
// the particles' round points.
void prepareStars(const Star* stars, int count);
void prepareStereoOverlay(const SceneObject& overlay, bool nearestTexel);
void prepareParticles();

// A frame: cleared, then one pass or two. A pass is seen through `view` and
// lit by light 0 in these colours (null: the light as set up). The stereo
// mode keeps its first pass for the overlay and clears for the second.
void beginFrame(const float clearColour[4]);
// The last frame begun, begun once more with the state it began with (the
// star field takes its light from the normal the frame before left), so
// that drawing the same world again gives the same picture.
void beginSameFrameAgain(const float clearColour[4]);
void beginPass(const Matrix4& view, const float* ambient, const float* diffuse);
void keepFirstPass(const float clearColour[4]);
void endFrame();

// What a pass draws: the star field, an object (unless switched off) with its
// model's handles, the live shots unlit, a burst's particles as round points
// in world coordinates.
void drawStarField();
void drawObject(const SceneObject& object);
void drawShots(const ShotObject* shots, int count);
void drawParticles(const ExplosionPass& particles, int32_t pointSize);
// Over the frame: the kept first pass through the overlay's model, and a text
// box (the score, the demo's badge, the pause's word) over everything, inside a
// frame or after it.
void drawStereoOverlay(const SceneObject& overlay);
void drawTextBox(const TextOverlay& box);

// The frame just drawn (before it is shown) as opaque red, green, blue, alpha
// pixels, top row first: what screenshots are made of.
std::vector<uint8_t> readFrame(int width, int height);
// Waits until everything drawn so far is done.
void finishDrawing();

// Deletes everything the renderer made.
void releaseRenderer();

// What the renderer draws with, as the version line names it: "OpenGL 1.1"
// or "OpenGL ES 2.0".
const char* rendererName();
