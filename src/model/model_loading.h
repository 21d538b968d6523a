#pragma once
#include "model/scene_object.h"

#include <cstdint>

// Reads a model file into `object` (readA3fFile) and gives the model a number
// of its own, under which the drawing keeps what it makes of it. Needs no
// OpenGL context: the texture the model names is the drawing's to load.
bool loadA3fModel(const char* fileName, SceneObject& object);

// Releases what the object owns at exit: its arrays (nothing when it shares
// its model); a shot's own arrays always.
void destroySceneObject(SceneObject& object);
void destroyShotObject(ShotObject& shot);

// Loads "shot.a3f" into the first shot and builds its separate arrays. Every
// further shot takes the model with shareModel, then allocateShotArrays and
// splitVertexArrays, so that each shot owns its own arrays.
bool loadShotModel(ShotObject& shot);
// Makes the shot's positions, normals (with normals) and texture coordinates
// (when the model names a texture), replacing any it had. False when out of
// memory.
bool allocateShotArrays(ShotObject& shot);
void splitVertexArrays(ShotObject& shot);
