#pragma once
// Small vector helpers for building meshes. The generator keeps its own copy
// so that it depends on nothing of the game and reruns only when it changes.
#include <cmath>

struct V3 {
    float x = 0, y = 0, z = 0;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator-(V3 a) { return {-a.x, -a.y, -a.z}; }
inline V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(float s, V3 a) { return a * s; }
inline float dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(V3 a) { return std::sqrt(dot(a, a)); }
inline V3 normalized(V3 a) {
    float n = length(a);
    return n > 0 ? a * (1.0f / n) : a;
}

constexpr float kPi = 3.14159265358979f;

// A linear map (three columns) and a translation: p' = M p + offset.
struct Placement {
    V3 column[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    V3 offset;
};

inline V3 apply(const Placement& p, V3 v) {
    return p.column[0] * v.x + p.column[1] * v.y + p.column[2] * v.z + p.offset;
}
// Normals go through the inverse transpose (the cofactor matrix, up to scale).
V3 applyToNormal(const Placement& p, V3 n);
// True when the map mirrors (negative determinant): windings must flip.
bool mirrors(const Placement& p);

// Builders: angles in radians about one axis, right-handed.
Placement rotationX(float angle);
Placement rotationY(float angle);
Placement rotationZ(float angle);
Placement scaling(V3 scale);
Placement translation(V3 offset);
// The placement that applies `first`, then `second`.
Placement operator*(const Placement& second, const Placement& first);
