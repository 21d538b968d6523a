#pragma once
// Vector helpers for building meshes, on the game's own Vec3 (only its
// inline operations: the generator links nothing of the game).
#include <cmath>

#include "math/vec3.h"

inline float length(Vec3 a) {
    return std::sqrt(dot(a, a));
}
inline Vec3 normalized(Vec3 a) {
    float n = length(a);
    return n > 0 ? a * (1.0f / n) : a;
}

constexpr float kPi = 3.14159265358979f;

// A linear map (three columns) and a translation: p' = M p + offset.
struct Placement {
    Vec3 column[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 offset;
};

inline Vec3 apply(const Placement& p, Vec3 v) {
    return p.column[0] * v.x + p.column[1] * v.y + p.column[2] * v.z + p.offset;
}
// Normals go through the inverse transpose (the cofactor matrix, up to scale).
Vec3 applyToNormal(const Placement& p, Vec3 n);
// True when the map mirrors (negative determinant): windings must flip.
bool mirrors(const Placement& p);

// Builders: angles in radians about one axis, right-handed.
Placement rotationX(float angle);
Placement rotationY(float angle);
Placement rotationZ(float angle);
Placement scaling(Vec3 scale);
Placement translation(Vec3 offset);
// The placement that applies `first`, then `second`.
Placement operator*(const Placement& second, const Placement& first);
