#include "math/vec3.h"

#include "app/frame_time.h"
#include "platform/random.h"

#include <cmath>

float normalize(Vec3& v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length != 0.0f) {
        float inverse = 1.0f / length;
        v.x *= inverse;
        v.y *= inverse;
        v.z *= inverse;
    }
    return length;
}

namespace {
// 2 / 32767 as a 32-bit float: maps a draw of 0..32767 onto 1..-1.
constexpr float kSignedUnitStep = 2.0f / float(kGameRandMax);
}

void addRandomJitter(Vec3& v) {
    float t = frameSeconds;
    v.x += t * (1.0f - float(gameRand()) * kSignedUnitStep);
    v.y += t * (1.0f - float(gameRand()) * kSignedUnitStep);
    v.z += t * (1.0f - float(gameRand()) * kSignedUnitStep);
}
