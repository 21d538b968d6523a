#pragma once
#include "model/scene_object.h"

#include <cstdint>

// What the drawing makes of a loaded model, once per model number, with the
// game's OpenGL context current: its texture (through the texture cache) and,
// for a model drawn whole, its display list. Objects that share a model share
// these too.
struct ModelHandles {
    uint32_t model = 0;
    uint32_t displayList = 0;  // 0 without one (a shot, or no names left)
    uint32_t texture = 0;      // 0 when the model names none or it cannot be read
};

// Display-list names come from one block of 1000 reserved at the first
// request (and a further block whenever one is used up). 0 when OpenGL gives
// no names.
uint32_t takeDisplayListName();

// Makes the texture and, with `compileList`, the display list of the object's
// model the first time the model is asked for; afterwards returns what was made.
ModelHandles prepareModelHandles(const SceneObject& object, bool compileList);
// What was made for the object's model: all 0 for a model never prepared.
ModelHandles modelHandlesOf(const SceneObject& object);
// Deletes every display list made (the textures are the texture cache's).
void releaseModelHandles();

// Draws a shot from its client arrays with its matrix loaded as the modelview
// matrix. Expects the vertex, normal and texture-coordinate arrays enabled
// and leaves them enabled; a blended shot leaves blending off.
void drawWithVertexArrays(const ShotObject& shot);
