#pragma once
#include "game/world.h"

#include <vector>

// The pictures drawn between two accepted frames. The game thinks in frames;
// a display refreshes more often, so each picture places what moves a
// fraction f of the way from the frame before to the latest one (the picture
// trails the game by at most a frame). What appears, vanishes or jumps
// between the two is drawn as the latest frame has it, never slid: a shot
// launched or ended, a particle of a new burst, an object switched off, a
// place further than anything flies in a frame. The score box, the banners
// and the background come from the latest frame, as they change only there.

// What the pictures need of the frame before the latest: what moves.
struct DrawnShot {
    Matrix4 matrix;
    Vec3 trackPosition, velocity;
    int32_t side = kSideNone;
    std::vector<float> texCoords;  // the wobbling texture's coordinates
};
constexpr int kPlacedObjectCount = 1 + kDeathStarCount + kSolarPanelCount + kEnemyCount;
struct DrawnState {
    bool kept = false;  // false before the first frame: nothing to come from
    Matrix4 player;
    Matrix4 objects[kPlacedObjectCount];  // station, bodies, panels, enemies
    int32_t sides[kPlacedObjectCount] = {};
    DrawnShot shots[kShotCount];
    ExplosionPass explosionPasses[2];
};

// What a picture draws in place of the world's own: the camera, the objects,
// the shots and each pass's particles, placed between the two frames. The
// objects are the world's records with their placements changed, so they
// share the world's models and arrays; the shots draw from texture
// coordinates of their own.
struct DrawnView {
    Camera camera;
    SceneObject station;
    SceneObject deathStars[kDeathStarCount];
    SceneObject solarPanels[kSolarPanelCount];
    SceneObject enemies[kEnemyCount];
    ShotObject shots[kShotCount];
    std::vector<float> shotTexCoords[kShotCount];
    ExplosionPass explosionPasses[2];
};

// The world as it stands, kept before the next frame's update.
void keepDrawnState(const World& world, DrawnState& state);
// The picture at f (0 to 1) between `before` and the world's latest frame.
void placeBetween(const DrawnState& before, const World& latest, float f, DrawnView& view);

// A shot's step from one frame to the next: live in both, with the same step,
// and moved on by exactly that step. Anything else was launched anew.
bool shotFlewOn(const DrawnShot& before, const ShotObject& latest);
// What an object does between frames: moved and turned (false), or switched
// on or off, or moved further than anything flies in a frame of this length.
bool objectJumped(const Matrix4& before, int32_t sideBefore, const SceneObject& latest,
                  float frameSeconds);
// One pass's particles at f: the latest pass's, each that was in the earlier
// pass (the same slot, younger there) placed and faded between the two.
void blendParticles(const ExplosionPass& before, const ExplosionPass& latest, float f,
                    ExplosionPass& out);
