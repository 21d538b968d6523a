#pragma once
// Triangle meshes built from a few shapes. Every triangle is wound
// counter-clockwise as seen from the side its vertex normals point to.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "geometry.h"

struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    float u = 0, v = 0;
};

struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<std::array<uint32_t, 3>> faces;
};

// A rectangle of the texture; v grows downwards (row 0 of the picture is v 0).
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

// (radius, height) points; walked from bottom to top the surface faces away
// from the axis. A point repeated makes a crease.
using Profile = std::vector<std::pair<float, float>>;

// Surface of revolution about the Y axis; u runs around, v along the profile.
void addLathe(Mesh& mesh, const Profile& profile, int segments, UvRect uv,
              const Placement& place = {});
// An axis-aligned box of the given half sizes, flat shaded, each side
// mapped onto the whole rectangle.
void addBox(Mesh& mesh, Vec3 half, UvRect uv, const Placement& place = {});
// A convex outline in the x-z plane (either winding),
// extruded from -halfHeight to +halfHeight along y. The caps take `cap`,
// the sides `side`.
void addPrism(Mesh& mesh, const std::vector<std::pair<float, float>>& outline, float halfHeight,
              UvRect cap, UvRect side, const Placement& place = {});
// A flat rectangle corner + s*edgeU + t*edgeV, facing along edgeU x edgeV;
// two-sided adds the back as well.
void addQuad(Mesh& mesh, Vec3 corner, Vec3 edgeU, Vec3 edgeV, UvRect uv, bool twoSided,
             const Placement& place = {});

// Lengthens every normal. The game draws scaled objects without
// renormalising, so a model the world always scales by s carries normals of
// length s to be lit at full strength.
void scaleNormals(Mesh& mesh, float length);

// The box that holds every vertex.
void meshBounds(const Mesh& mesh, Vec3& low, Vec3& high);
