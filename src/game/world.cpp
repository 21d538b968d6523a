#include "game/world.h"

#include <cstddef>

// A matrix's columns are three packed floats each, laid out like a Vec3.
static_assert(sizeof(Vec3) == 3 * sizeof(float) && offsetof(Vec3, z) == 2 * sizeof(float),
              "Vec3 must be three packed floats");

const Vec3& positionOf(const Matrix4& matrix) {
    return *reinterpret_cast<const Vec3*>(&matrix.m[12]);
}

const Vec3& forwardOf(const Matrix4& matrix) {
    return *reinterpret_cast<const Vec3*>(&matrix.m[8]);
}

void releaseWorld(World& world) {
    releaseTextOverlay(world.scoreOverlay);
    releaseExplosion(world.explosion);
    for (int i = kShotCount - 1; i >= 0; --i) destroyShotObject(world.shots[i]);
    destroySceneObject(world.station);
    for (int i = kSolarPanelCount - 1; i >= 0; --i) destroySceneObject(world.solarPanels[i]);
    destroySceneObject(world.blueScreen);
    destroySceneObject(world.player);
    for (int i = kDeathStarCount - 1; i >= 0; --i) destroySceneObject(world.deathStars[i]);
    for (int i = kEnemyCount - 1; i >= 0; --i) destroySceneObject(world.enemies[i]);
}
