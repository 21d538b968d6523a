#pragma once
#include <cstdint>

struct Matrix4;
struct Vec3;

// The shader pair, computing per vertex what the fixed function of
// OpenGL 1.1 computes for the game (light 0 with the scene's material, the
// current colour when unlit, texturing by modulation), and the state that
// function would carry from one draw to the next: the current normal, colour
// and material. All of it needs the game's context current.

// Where the vertex arrays go.
enum VertexAttribute : uint32_t { kPositionAttribute, kNormalAttribute, kTexCoordAttribute, kColourAttribute };

// Compiles and links the pair in each form the state below can ask for and
// sets the fixed state: light 0 as set up, the first material, the normal
// (0, 0, 1), no texture. False when the driver refuses a shader: the player
// is told in the error box, the driver's log goes to standard error.
bool makeShading();
void releaseShading();
// Before each draw: the program made for the state as it is now, with the
// uniforms it has not had yet.
void applyShading();

// The projection of the pass (its view included, so eye space is world
// space and the light's position is a world position) and the model matrix
// of what is drawn next, whose normals turn by its inverse transpose,
// unscaled.
void setProjection(const float projection[16]);
// The projection last set.
const float* projectionInUse();
void setModelMatrix(const Matrix4& model);
void setIdentityModel();

void setLighting(bool lit);
void setLightColours(const float* ambient, const float* diffuse, const float* specular);
// The material of a model: its diffuse colour (also the current colour) and
// shininess, kept until the next material, as OpenGL keeps it.
void setMaterial(const float diffuse[4], uint32_t shininess);
// The normal vertices take when they bring none; kept until the next.
void setCurrentNormal(const Vec3& normal);
Vec3 currentNormal();
// 0: untextured.
void setTexture(uint32_t texture);
// Colours written at 3-3-2 bits, as the low texture quality stores a copy of
// the frame.
void setColourQuantised(bool quantised);
// The size of the points drawn next; round points fade at their rim. Set
// back to plain before anything but points is drawn.
void setPoints(float size, bool round);
