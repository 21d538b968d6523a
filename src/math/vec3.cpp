#include "math/vec3.h"

#include "math/random.h"

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

void addRandomJitter(Vec3& v, float frameSeconds, RandomSource& random) {
    // Three separate statements: the draws happen in x, y, z order.
    v.x += frameSeconds * signedUnit(random);
    v.y += frameSeconds * signedUnit(random);
    v.z += frameSeconds * signedUnit(random);
}
