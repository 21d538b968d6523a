#include "math/placement_blend.h"

#include <cmath>
#include <cstring>

namespace {

Vec3 unit(Vec3 v, float& length) {
    length = normalize(v);
    return v;
}

Quaternion normalised(Quaternion q) {
    const double n = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    if (n == 0.0) return {};
    return {q.w / n, q.x / n, q.y / n, q.z / n};
}

bool sameAxes(const Matrix4& a, const Matrix4& b) {
    return std::memcmp(a.m, b.m, 3 * sizeof(float)) == 0 &&
           std::memcmp(a.m + 4, b.m + 4, 3 * sizeof(float)) == 0 &&
           std::memcmp(a.m + 8, b.m + 8, 3 * sizeof(float)) == 0;
}

void setAxis(Matrix4& m, int column, Vec3 axis) {
    m[4 * column] = axis.x;
    m[4 * column + 1] = axis.y;
    m[4 * column + 2] = axis.z;
}

}  // namespace

float blendFloat(float a, float b, float f) {
    if (f <= 0.0f) return a;
    if (f >= 1.0f) return b;
    return float(double(a) + (double(b) - double(a)) * double(f));
}

Vec3 blendVec3(Vec3 a, Vec3 b, float f) {
    return {blendFloat(a.x, b.x, f), blendFloat(a.y, b.y, f), blendFloat(a.z, b.z, f)};
}

Quaternion quaternionOfAxes(Vec3 x, Vec3 y, Vec3 z) {
    float length = 0.0f;
    x = unit(x, length);
    y = unit(y, length);
    z = unit(z, length);
    // The largest of the four squares decides which formula keeps precision.
    const double trace = double(x.x) + y.y + z.z;
    Quaternion q;
    if (trace > 0.0) {
        const double s = std::sqrt(trace + 1.0) * 2.0;
        q = {0.25 * s, (double(y.z) - z.y) / s, (double(z.x) - x.z) / s, (double(x.y) - y.x) / s};
    } else if (x.x > y.y && x.x > z.z) {
        const double s = std::sqrt(1.0 + x.x - y.y - z.z) * 2.0;
        q = {(double(y.z) - z.y) / s, 0.25 * s, (double(y.x) + x.y) / s, (double(z.x) + x.z) / s};
    } else if (y.y > z.z) {
        const double s = std::sqrt(1.0 + y.y - x.x - z.z) * 2.0;
        q = {(double(z.x) - x.z) / s, (double(y.x) + x.y) / s, 0.25 * s, (double(z.y) + y.z) / s};
    } else {
        const double s = std::sqrt(1.0 + z.z - x.x - y.y) * 2.0;
        q = {(double(x.y) - y.x) / s, (double(z.x) + x.z) / s, (double(z.y) + y.z) / s, 0.25 * s};
    }
    return normalised(q);
}

void axesOfQuaternion(const Quaternion& q, Vec3& x, Vec3& y, Vec3& z) {
    const double w = q.w, a = q.x, b = q.y, c = q.z;
    x = {float(1 - 2 * (b * b + c * c)), float(2 * (a * b + w * c)), float(2 * (a * c - w * b))};
    y = {float(2 * (a * b - w * c)), float(1 - 2 * (a * a + c * c)), float(2 * (b * c + w * a))};
    z = {float(2 * (a * c + w * b)), float(2 * (b * c - w * a)), float(1 - 2 * (a * a + b * b))};
}

Quaternion turnBetween(const Quaternion& a, const Quaternion& b, float f) {
    // q and -q are the same rotation: take the one nearer a.
    const double sign = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z < 0.0 ? -1.0 : 1.0;
    const double g = f, h = 1.0 - g;
    return normalised({h * a.w + g * sign * b.w, h * a.x + g * sign * b.x,
                       h * a.y + g * sign * b.y, h * a.z + g * sign * b.z});
}

void blendPlacement(const Matrix4& from, const Matrix4& to, float f, Matrix4& out) {
    if (f <= 0.0f || f >= 1.0f) {
        out = f <= 0.0f ? from : to;
        return;
    }
    out = to;
    const Vec3 p = blendVec3(matrixPosition(from), matrixPosition(to), f);
    out[12] = p.x;
    out[13] = p.y;
    out[14] = p.z;
    if (sameAxes(from, to)) return;
    float a[3], b[3];  // the axes' lengths
    const Vec3 ax = unit(matrixAxisX(from), a[0]), ay = unit(matrixAxisY(from), a[1]),
               az = unit(matrixAxisZ(from), a[2]);
    const Vec3 bx = unit(matrixAxisX(to), b[0]), by = unit(matrixAxisY(to), b[1]),
               bz = unit(matrixAxisZ(to), b[2]);
    // A mirrored frame is no rotation: it is drawn turned as it ends.
    if (dot(cross(ax, ay), az) <= 0.0f || dot(cross(bx, by), bz) <= 0.0f) return;
    Vec3 x, y, z;
    axesOfQuaternion(turnBetween(quaternionOfAxes(ax, ay, az), quaternionOfAxes(bx, by, bz), f),
                     x, y, z);
    setAxis(out, 0, x * blendFloat(a[0], b[0], f));
    setAxis(out, 1, y * blendFloat(a[1], b[1], f));
    setAxis(out, 2, z * blendFloat(a[2], b[2], f));
}
