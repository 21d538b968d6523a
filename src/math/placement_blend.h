#pragma once
#include "math/matrix4.h"

// Placements between two states, for the pictures drawn between the game's
// frames. Each is exact at its ends (f = 0 gives the first state, f = 1 the
// second, bit for bit), so the picture at either end is that frame's own.

// a and b weighted by f.
float blendFloat(float a, float b, float f);
Vec3 blendVec3(Vec3 a, Vec3 b, float f);

// A unit quaternion (w, x, y, z) and the rotation it stands for.
struct Quaternion {
    double w = 1.0, x = 0.0, y = 0.0, z = 0.0;
};
// The rotation whose columns are the three axes, each first brought to length 1
// (an axis that drifted a little from unit length or from square still gives
// the nearest rotation).
Quaternion quaternionOfAxes(Vec3 x, Vec3 y, Vec3 z);
// The rotation turned into the three unit axes it carries the base axes to.
void axesOfQuaternion(const Quaternion& q, Vec3& x, Vec3& y, Vec3& z);
// The turn a fraction f of the way from a to b, along the shorter way round:
// normalised linear interpolation, a rotation at every f.
Quaternion turnBetween(const Quaternion& a, const Quaternion& b, float f);

// The placement a fraction f of the way from `from` to `to`: the position on
// the straight line, the axes turned as one rotation (never a blend of
// matrices, which shrinks and shears), each axis keeping a length between its
// two lengths. Axes the two share are kept as they are.
void blendPlacement(const Matrix4& from, const Matrix4& to, float f, Matrix4& out);
