#pragma once
#include "math/vec3.h"
#include "model/scene_object.h"

#include <cstdint>

// What the renderer makes of a loaded model, once per model number: its
// texture and, for a model drawn whole, a vertex buffer of its triangles
// with the material it was prepared with. Objects sharing a model share them.
struct ModelHandles {
    uint32_t model = 0;
    uint32_t buffer = 0;       // 0 without one (a shot)
    uint32_t indexBuffer = 0;  // 0: the buffer holds each face's corners in turn
    int32_t vertexCount = 0;   // the corners drawn
    uint32_t texture = 0;
    float diffuse[4] = {};
    uint32_t shininess = 0;
    bool blended = false;
    bool hasNormals = false;
    Vec3 lastNormal;  // the normal OpenGL is left with after the model
};

ModelHandles prepareModelHandles(const SceneObject& object, bool makeBuffer);
ModelHandles modelHandlesOf(const SceneObject& object);
void releaseModelHandles();

// Draws prepared triangles through the one shader with the model matrix set:
// the material, blending by the model's alpha rule, the normal it leaves.
void drawModelBuffer(const ModelHandles& handles, uint32_t texture);
// Draws a shot's arrays as they are now (its texture coordinates change).
void drawShotArrays(const ShotObject& shot);
