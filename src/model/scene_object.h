#pragma once
#include "math/matrix4.h"
#include "math/vec3.h"
#include "model/model_types.h"

#include <cstdint>

constexpr int kFileNameSize = 260;  // fixed name fields: 259 characters and the NUL

// A placed, drawable object: placement, motion state and one loaded model.
// An object that loaded its model owns the arrays; one filled by shareModel
// only refers to another's. What the drawing makes of a model (its lists and
// textures) is the drawing's own, found by the model's number.
struct SceneObject {
    Matrix4 matrix;
    Vec3 trackPosition;
    Vec3 velocity;   // per unit of the stepObject scale, in the local frame
    Vec3 turnRates;  // radians about x, y, z per stepObject call
    Vec3 boundsMin;
    Vec3 boundsMax;
    uint32_t model = 0;  // the loaded model's number, shared with shareModel; 0 none
    char materialName[kFileNameSize] = {};
    float ambient[4] = {};
    float diffuse[4] = {};
    float emission[4] = {};
    float specular[4] = {};
    uint32_t shininess = 0;
    char textureFile[kFileNameSize] = {};
    int32_t alphaMode = kAlphaNone;
    float alphaValue = 0.0f;
    bool hasNormals = false;
    bool sharesModel = false;
    int32_t side = 0;  // 0 inactive, 1 the player's side, 2 the enemy side
    uint32_t vertexCount = 0;
    ModelFace* faces = nullptr;
    ModelVertex* vertices = nullptr;
    uint32_t faceCount = 0;
};

// A shot: a scene object with separate arrays for client-array drawing,
// always owned by the shot, also when it shares its model.
struct ShotObject {
    SceneObject object;
    float* positions = nullptr;  // 3 per vertex
    float* normals = nullptr;    // 3 per vertex, only with normals
    float* texCoords = nullptr;  // 2 per vertex, only when the model names a texture
};

void constructSceneObject(SceneObject& object);
void constructShotObject(ShotObject& shot);

// Makes target refer to prototype's model and take its placement and side;
// target keeps its own velocity and turn rates (and a shot its own arrays).
void shareModel(SceneObject& target, const SceneObject& prototype);

// Free the arrays an object owns and set them to none.
void releaseModelArrays(SceneObject& object);
void releaseShotArrays(ShotObject& shot);
