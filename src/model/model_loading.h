#pragma once
#include "model/scene_object.h"

#include <cstdint>

// Display-list names come from one block of 1000 reserved at the first
// request (and a further block whenever one is used up). 0 when OpenGL gives
// no names.
uint32_t takeDisplayListName();

// Reads a model file into `object` (readA3fFile) and loads the texture it
// names through the texture cache (0 when there is none or it cannot be read).
// A model without a texture needs no OpenGL context.
bool loadA3fModel(const char* fileName, SceneObject& object);

// Releases what the object owns at exit: its arrays, display list and texture
// (nothing when it shares its model); a shot's own arrays always.
void destroySceneObject(SceneObject& object);
void destroyShotObject(ShotObject& shot);

// Loads a model file into `object` and compiles it into a display list of its
// own. False (and no list) when the model did not load.
bool loadModelToDisplayList(const char* fileName, SceneObject& object);

// Loads "shot.a3f" into the first shot and builds its separate arrays. Every
// further shot takes the model with shareModel, then allocateShotArrays and
// splitVertexArrays, so that each shot owns its own arrays.
bool loadShotModel(ShotObject& shot);
// Makes the shot's positions, normals (with normals) and texture coordinates
// (with a loaded texture), replacing any it had. False when out of memory.
bool allocateShotArrays(ShotObject& shot);
void splitVertexArrays(ShotObject& shot);

// Draws a shot from its client arrays with its matrix loaded as the modelview
// matrix. Expects the vertex, normal and texture-coordinate arrays enabled
// and leaves them enabled; a blended shot leaves blending off.
void drawWithVertexArrays(const ShotObject& shot);
