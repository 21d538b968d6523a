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
