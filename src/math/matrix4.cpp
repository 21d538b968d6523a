#include "math/matrix4.h"

#include "math/portable_math.h"

Matrix4 identityMatrix() { return Matrix4{}; }

Vec3 transformPoint(const Matrix4& a, Vec3 p) {
    return {a[0] * p.x + a[4] * p.y + a[8] * p.z + a[12],
            a[1] * p.x + a[5] * p.y + a[9] * p.z + a[13],
            a[2] * p.x + a[6] * p.y + a[10] * p.z + a[14]};
}

Matrix4& multiplyAffine(Matrix4& dest, const Matrix4& s, Matrix4 m) {
    dest = identityMatrix();
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            dest[4 * c + r] = m[r] * s[4 * c] + m[4 + r] * s[4 * c + 1] + m[8 + r] * s[4 * c + 2];
    for (int r = 0; r < 3; ++r)
        dest[12 + r] = m[r] * s[12] + m[4 + r] * s[13] + m[8 + r] * s[14] + m[12 + r];
    dest[3] = dest[7] = dest[11] = 0.0f;
    dest[15] = 1.0f;
    return dest;
}

Matrix3 minor3(const Matrix4& a, int row, int col) {
    Matrix3 out{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            int c = i + (i >= col ? 1 : 0);
            int r = j + (j >= row ? 1 : 0);
            out.m[3 * i + j] = a[4 * c + r];
        }
    return out;
}

float determinant3(const Matrix3& a) {
    auto e = [&](int r, int c) { return a.m[3 * c + r]; };
    return e(0, 0) * (e(1, 1) * e(2, 2) - e(2, 1) * e(1, 2)) -
           e(1, 0) * (e(0, 1) * e(2, 2) - e(2, 1) * e(0, 2)) +
           e(2, 0) * (e(0, 1) * e(1, 2) - e(1, 1) * e(0, 2));
}

float determinant4(const Matrix4& a) {
    float sum = 0.0f;
    for (int i = 0; i < 4; ++i) {
        float term = a[i] * determinant3(minor3(a, i, 0));
        sum += (i % 2 == 0) ? term : -term;
    }
    return sum;
}

void invert4(Matrix4& a) {
    float q = 1.0f / determinant4(a);
    Matrix4 t = identityMatrix();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float cofactor = determinant3(minor3(a, j, i)) * q;
            t[4 * j + i] = ((i + j) % 2 == 0) ? cofactor : -cofactor;
        }
    a = t;
}

Matrix4 matrixFromAngles(Vec3 angles, Vec3 position) {
    Matrix4 a;
    matrixFromScaleAnglesPosition(a, 1, 1, 1, angles.x, angles.y, angles.z,
                                  position.x, position.y, position.z);
    return a;
}

void matrixFromScaleAnglesPosition(Matrix4& d, float sx, float sy, float sz,
                                   float ax, float ay, float az,
                                   float px, float py, float pz) {
    double sp = portableSin(ax), cp = portableCos(ax);
    double st = portableSin(ay), ct = portableCos(ay);
    double ss = portableSin(az), cs = portableCos(az);
    d[0] = float((ct * cs + sp * st * ss) * sx);
    d[1] = float((cp * ss) * sx);
    d[2] = float((sp * ct * ss - st * cs) * sx);
    d[4] = float((sp * st * cs - ct * ss) * sy);
    d[5] = float((cp * cs) * sy);
    d[6] = float((sp * ct * cs + st * ss) * sy);
    d[8] = float((cp * st) * sz);
    d[9] = float((-sp) * sz);
    d[10] = float((cp * ct) * sz);
    d[12] = px;
    d[13] = py;
    d[14] = pz;
    d[3] = d[7] = d[11] = 0.0f;
    d[15] = 1.0f;
}

void aimMatrix(Vec3 position, Matrix4& a, Vec3 d) {
    Vec3 u = matrixAxisY(a);
    Vec3 n = cross(d, u);
    normalize(n);
    Vec3 y = cross(n, d);
    a[0] = -n.x; a[1] = -n.y; a[2] = -n.z;
    a[4] = y.x;  a[5] = y.y;  a[6] = y.z;
    a[8] = d.x;  a[9] = d.y;  a[10] = d.z;
    a[12] = position.x; a[13] = position.y; a[14] = position.z;
    a[3] = a[7] = a[11] = 0.0f;
    a[15] = 1.0f;
}

Matrix4 viewMatrixFromBasis(Vec3 e, Vec3 f, Vec3 s, Vec3 u) {
    Matrix4 v;
    v[0] = s.x;  v[4] = s.y;  v[8] = s.z;
    v[1] = u.x;  v[5] = u.y;  v[9] = u.z;
    v[2] = -f.x; v[6] = -f.y; v[10] = -f.z;
    v[12] = -dot(s, e);
    v[13] = -dot(u, e);
    v[14] = dot(f, e);
    v[3] = v[7] = v[11] = 0.0f;
    v[15] = 1.0f;
    return v;
}

void lookAtMatrix(Matrix4& dest, Vec3 eye, Vec3 target, Vec3 up) {
    Vec3 f = target - eye;
    normalize(f);
    Vec3 s = cross(f, up);
    Vec3 u = cross(s, f);
    dest = viewMatrixFromBasis(eye, f, s, u);
}
