#include "model/motion.h"

#include "math/matrix4.h"

#include <cmath>
#include <utility>

namespace {
constexpr float kParallelLimit = 0.0001f;

// How far the box is grown before a segment counts as missing it, relative
// to the sizes involved: a face accepts a crossing a few rounding steps
// outside itself, and the box must never refuse one the faces would take.
constexpr float kBoxSlack = 0.0001f;

float largestMagnitude(Vec3 v) {
    return std::fmax(std::fabs(v.x), std::fmax(std::fabs(v.y), std::fabs(v.z)));
}

// True when the segment p0 + r d (0 <= r <= 1) clearly passes the model's
// bounds. Shots are tested against every face of every ship each frame, and
// almost always far from them; the faces decide whenever this cannot. Not a
// number anywhere refuses nothing, so such a segment meets the faces as before.
bool segmentMissesBounds(const SceneObject& object, Vec3 p0, Vec3 d) {
    const float slack = kBoxSlack * (largestMagnitude(object.boundsMin) +
                                     largestMagnitude(object.boundsMax) + largestMagnitude(p0) +
                                     largestMagnitude(d)) +
                        kBoxSlack;
    const float start[3] = {p0.x, p0.y, p0.z};
    const float step[3] = {d.x, d.y, d.z};
    const float low[3] = {object.boundsMin.x, object.boundsMin.y, object.boundsMin.z};
    const float high[3] = {object.boundsMax.x, object.boundsMax.y, object.boundsMax.z};
    float enter = 0.0f, leave = 1.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float below = low[axis] - slack - start[axis];
        const float above = high[axis] + slack - start[axis];
        if (step[axis] == 0.0f) {
            if (below > 0.0f || above < 0.0f) return true;
            continue;
        }
        float near = below / step[axis], far = above / step[axis];
        if (near > far) std::swap(near, far);
        if (near > enter) enter = near;
        if (far < leave) leave = far;
        if (enter > leave) return true;
    }
    return false;
}
}  // namespace

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
    if (segmentMissesBounds(object, p0, d)) return false;
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
