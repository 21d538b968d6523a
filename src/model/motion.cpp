#include "model/motion.h"

#include "math/matrix4.h"

#include <cmath>

namespace {
constexpr float kParallelLimit = 0.0001f;
}

void stepObject(SceneObject& object, float scale) {
    Matrix4 local = matrixFromAngles(object.turnRates, object.velocity * scale);
    multiplyAffine(object.matrix, local, object.matrix);
}

bool segmentHitsObject(const SceneObject& object, Vec3 from, Vec3 to, float& fraction) {
    if (object.side == 0 || object.faceCount == 0) return false;
    Matrix4 toModel = object.matrix;
    invert4(toModel);
    Vec3 p0 = transformPoint(toModel, from);
    Vec3 d = transformPoint(toModel, to) - p0;
    for (uint32_t f = 0; f < object.faceCount; ++f) {
        const uint32_t* index = object.faces[f].index;
        Vec3 a = object.vertices[index[0]].position;
        Vec3 e1 = object.vertices[index[1]].position - a;
        Vec3 e2 = object.vertices[index[2]].position - a;
        Vec3 n = cross(e1, e2);
        if (dot(n, n) == 0.0f) continue;
        float den = dot(n, d);
        if (std::fabs(den) < kParallelLimit) continue;
        float r = -dot(n, p0 - a) / den;
        if (r < 0.0f || r > 1.0f) continue;
        Vec3 w = p0 + r * d - a;
        float uu = dot(e1, e1), uv = dot(e1, e2), vv = dot(e2, e2);
        float wu = dot(w, e1), wv = dot(w, e2);
        float denominator = uv * uv - uu * vv;
        // Written so that a sliver whose denominator rounds to 0 (s and t not
        // numbers) is a miss, as a degenerate face is, not a ghost hit.
        float s = (uv * wv - vv * wu) / denominator;
        if (!(s >= 0.0f && s <= 1.0f)) continue;
        float t = (uv * wu - uu * wv) / denominator;
        if (!(t >= 0.0f && s + t <= 1.0f)) continue;
        fraction = r;
        return true;
    }
    return false;
}
