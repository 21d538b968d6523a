#include "geometry.h"

Vec3 applyToNormal(const Placement& p, Vec3 n) {
    const Vec3& a = p.column[0];
    const Vec3& b = p.column[1];
    const Vec3& c = p.column[2];
    // Rows of the inverse transpose are proportional to these cross products.
    Vec3 r0 = cross(b, c), r1 = cross(c, a), r2 = cross(a, b);
    Vec3 out = r0 * n.x + r1 * n.y + r2 * n.z;
    if (mirrors(p)) out = -out;
    return normalized(out);
}

bool mirrors(const Placement& p) {
    return dot(p.column[0], cross(p.column[1], p.column[2])) < 0;
}

Placement rotationX(float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    Placement p;
    p.column[1] = {0, c, s};
    p.column[2] = {0, -s, c};
    return p;
}

Placement rotationY(float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    Placement p;
    p.column[0] = {c, 0, -s};
    p.column[2] = {s, 0, c};
    return p;
}

Placement rotationZ(float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    Placement p;
    p.column[0] = {c, s, 0};
    p.column[1] = {-s, c, 0};
    return p;
}

Placement scaling(Vec3 scale) {
    Placement p;
    p.column[0] = {scale.x, 0, 0};
    p.column[1] = {0, scale.y, 0};
    p.column[2] = {0, 0, scale.z};
    return p;
}

Placement translation(Vec3 offset) {
    Placement p;
    p.offset = offset;
    return p;
}

Placement operator*(const Placement& second, const Placement& first) {
    Placement p;
    Vec3 origin;
    for (int i = 0; i < 3; ++i)
        p.column[i] = apply(second, first.column[i]) - apply(second, origin);
    p.offset = apply(second, first.offset);
    return p;
}
