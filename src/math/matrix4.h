#pragma once
#include "math/vec3.h"

// Column-major, element (row r, column c) at index 4c + r, exactly as
// glLoadMatrixf takes it. Columns 0, 1, 2 are an object's side, up and
// forward axes; column 3 is its position.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
};

struct Matrix3 {
    float m[9];  // column-major, element (row r, column c) at 3c + r
};

Matrix4 identityMatrix();
inline Vec3 matrixPosition(const Matrix4& a) { return {a[12], a[13], a[14]}; }
inline Vec3 matrixAxisX(const Matrix4& a) { return {a[0], a[1], a[2]}; }
inline Vec3 matrixAxisY(const Matrix4& a) { return {a[4], a[5], a[6]}; }
inline Vec3 matrixAxisZ(const Matrix4& a) { return {a[8], a[9], a[10]}; }
// Transforms a point (w = 1) by the full matrix.
Vec3 transformPoint(const Matrix4& a, Vec3 p);

// dest = M * S for affine matrices (S applied first). dest must not alias S;
// M is taken by value so it may be dest.
Matrix4& multiplyAffine(Matrix4& dest, const Matrix4& s, Matrix4 m);

Matrix3 minor3(const Matrix4& a, int row, int col);
float determinant3(const Matrix3& a);
float determinant4(const Matrix4& a);
// No singularity test: a zero determinant leaves non-finite elements.
void invert4(Matrix4& a);

// Rotation R = R_Y(angles.y) * R_X(angles.x) * R_Z(angles.z), then position.
Matrix4 matrixFromAngles(Vec3 angles, Vec3 position);
void matrixFromScaleAnglesPosition(Matrix4& dest, float sx, float sy, float sz,
                                   float ax, float ay, float az,
                                   float px, float py, float pz);

// Turns the matrix so its Z axis is direction (unit length expected), keeping
// its up near the current Y axis, and moves it to position.
void aimMatrix(Vec3 position, Matrix4& a, Vec3 direction);

Matrix4 viewMatrixFromBasis(Vec3 eye, Vec3 forward, Vec3 side, Vec3 up);
void lookAtMatrix(Matrix4& dest, Vec3 eye, Vec3 target, Vec3 up);
