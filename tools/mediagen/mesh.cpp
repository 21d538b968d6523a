#include "mesh.h"

#include <cmath>

namespace {

// Adds a triangle, turned so that it is counter-clockwise seen from where
// its vertex normals point; triangles without area (at a pole) are left out.
void addTriangle(Mesh& mesh, uint32_t a, uint32_t b, uint32_t c) {
    const auto& vs = mesh.vertices;
    Vec3 n = cross(vs[b].position - vs[a].position, vs[c].position - vs[a].position);
    if (dot(n, n) < 1e-14f) return;
    Vec3 want = vs[a].normal + vs[b].normal + vs[c].normal;
    if (dot(n, want) < 0) std::swap(b, c);
    mesh.faces.push_back({a, b, c});
}

uint32_t addVertex(Mesh& mesh, const Placement& place, Vec3 position, Vec3 normal, float u,
                   float v) {
    mesh.vertices.push_back({apply(place, position), applyToNormal(place, normal), u, v});
    return uint32_t(mesh.vertices.size() - 1);
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

// Joins a grid of (columns + 1) x (rows + 1) vertices starting at `first`.
void addGrid(Mesh& mesh, uint32_t first, int columns, int rows) {
    uint32_t stride = uint32_t(columns + 1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            uint32_t i = first + uint32_t(r) * stride + uint32_t(c);
            addTriangle(mesh, i, i + 1, i + stride + 1);
            addTriangle(mesh, i, i + stride + 1, i + stride);
        }
}

// Normal of the profile at point k in the (radius, height) plane, averaged
// over its neighbouring segments that have a length.
std::pair<float, float> profileNormal(const Profile& p, size_t k) {
    float nr = 0, ny = 0;
    auto addSegment = [&](size_t i, size_t j) {
        float dr = p[j].first - p[i].first, dy = p[j].second - p[i].second;
        float len = std::sqrt(dr * dr + dy * dy);
        if (len < 1e-6f) return;
        nr += dy / len;
        ny += -dr / len;
    };
    if (k > 0) addSegment(k - 1, k);
    if (k + 1 < p.size()) addSegment(k, k + 1);
    float len = std::sqrt(nr * nr + ny * ny);
    return len > 0 ? std::make_pair(nr / len, ny / len) : std::make_pair(0.0f, 1.0f);
}

}  // namespace

void addLathe(Mesh& mesh, const Profile& profile, int segments, UvRect uv, const Placement& place) {
    std::vector<float> along(profile.size(), 0.0f);
    for (size_t k = 1; k < profile.size(); ++k) {
        float dr = profile[k].first - profile[k - 1].first;
        float dy = profile[k].second - profile[k - 1].second;
        along[k] = along[k - 1] + std::sqrt(dr * dr + dy * dy);
    }
    float total = along.back() > 0 ? along.back() : 1.0f;
    uint32_t first = uint32_t(mesh.vertices.size());
    for (size_t k = 0; k < profile.size(); ++k) {
        auto [nr, ny] = profileNormal(profile, k);
        float r = profile[k].first, y = profile[k].second;
        for (int s = 0; s <= segments; ++s) {
            float a = 2 * kPi * float(s) / float(segments);
            float c = std::cos(a), sn = std::sin(a);
            addVertex(mesh, place, {r * sn, y, r * c}, {nr * sn, ny, nr * c},
                      lerp(uv.u0, uv.u1, float(s) / float(segments)),
                      lerp(uv.v1, uv.v0, along[k] / total));
        }
    }
    addGrid(mesh, first, segments, int(profile.size()) - 1);
}

void addQuad(Mesh& mesh, Vec3 corner, Vec3 edgeU, Vec3 edgeV, UvRect uv, bool twoSided,
             const Placement& place) {
    Vec3 n = normalized(cross(edgeU, edgeV));
    for (int side = 0; side < (twoSided ? 2 : 1); ++side) {
        Vec3 facing = side == 0 ? n : -n;
        uint32_t first = uint32_t(mesh.vertices.size());
        for (int t = 0; t <= 1; ++t)
            for (int s = 0; s <= 1; ++s)
                addVertex(mesh, place, corner + edgeU * float(s) + edgeV * float(t), facing,
                          s ? uv.u1 : uv.u0, t ? uv.v1 : uv.v0);
        addGrid(mesh, first, 1, 1);
    }
}

void addBox(Mesh& mesh, Vec3 h, UvRect uv, const Placement& place) {
    // Each side: a corner and two edges spanning it.
    const Vec3 c[6] = {{h.x, -h.y, h.z},   {-h.x, -h.y, -h.z}, {-h.x, h.y, h.z},
                       {-h.x, -h.y, -h.z}, {-h.x, -h.y, h.z},  {h.x, -h.y, -h.z}};
    const Vec3 e1[6] = {{0, 0, -2 * h.z}, {0, 0, 2 * h.z}, {2 * h.x, 0, 0},
                        {2 * h.x, 0, 0},  {2 * h.x, 0, 0}, {-2 * h.x, 0, 0}};
    const Vec3 e2[6] = {{0, 2 * h.y, 0}, {0, 2 * h.y, 0}, {0, 0, -2 * h.z},
                        {0, 0, 2 * h.z}, {0, 2 * h.y, 0}, {0, 2 * h.y, 0}};
    for (int i = 0; i < 6; ++i) addQuad(mesh, c[i], e1[i], e2[i], uv, false, place);
}

void addPrism(Mesh& mesh, const std::vector<std::pair<float, float>>& outline, float halfHeight,
              UvRect cap, UvRect side, const Placement& place) {
    float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    for (auto [x, z] : outline) {
        minX = std::fmin(minX, x), maxX = std::fmax(maxX, x);
        minZ = std::fmin(minZ, z), maxZ = std::fmax(maxZ, z);
    }
    for (int top = 0; top <= 1; ++top) {
        float y = top ? halfHeight : -halfHeight;
        uint32_t first = uint32_t(mesh.vertices.size());
        for (auto [x, z] : outline)
            addVertex(mesh, place, {x, y, z}, {0, top ? 1.0f : -1.0f, 0},
                      lerp(cap.u0, cap.u1, (x - minX) / (maxX - minX)),
                      lerp(cap.v0, cap.v1, (z - minZ) / (maxZ - minZ)));
        for (uint32_t k = 1; k + 1 < outline.size(); ++k)
            addTriangle(mesh, first, first + k, first + k + 1);
    }
    float cx = 0, cz = 0;
    for (auto [x, z] : outline) cx += x, cz += z;
    cx /= float(outline.size()), cz /= float(outline.size());
    for (size_t k = 0; k < outline.size(); ++k) {
        auto [x0, z0] = outline[k];
        auto [x1, z1] = outline[(k + 1) % outline.size()];
        // Walk the edge so that edge x up points away from the middle.
        Vec3 edge{x1 - x0, 0, z1 - z0}, up{0, 2 * halfHeight, 0};
        Vec3 out{(x0 + x1) / 2 - cx, 0, (z0 + z1) / 2 - cz};
        if (dot(cross(edge, up), out) >= 0)
            addQuad(mesh, {x0, -halfHeight, z0}, edge, up, side, false, place);
        else
            addQuad(mesh, {x1, -halfHeight, z1}, -edge, up, side, false, place);
    }
}

void scaleNormals(Mesh& mesh, float length) {
    for (auto& v : mesh.vertices) v.normal = v.normal * length;
}

void meshBounds(const Mesh& mesh, Vec3& low, Vec3& high) {
    low = {1e9f, 1e9f, 1e9f};
    high = {-1e9f, -1e9f, -1e9f};
    for (const auto& v : mesh.vertices) {
        low = {std::fmin(low.x, v.position.x), std::fmin(low.y, v.position.y),
               std::fmin(low.z, v.position.z)};
        high = {std::fmax(high.x, v.position.x), std::fmax(high.y, v.position.y),
                std::fmax(high.z, v.position.z)};
    }
}
