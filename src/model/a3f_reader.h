#pragma once
#include "model/scene_object.h"

#include <cstddef>

// Reads the model file `fileName` (a bare name in the media folder) into the
// object's model fields, places the object at the origin with side 1 and
// loads its texture through the texture cache. Every failure is reported with
// the error box and gives false; what was stored before the failure stays in
// the object. A model without a texture needs no OpenGL context.
bool loadA3fModel(const char* fileName, SceneObject& object);

// The parsing part of loadA3fModel over a file's text: everything but opening
// the file and loading the texture. `text[size]` must be a NUL byte. Reports
// failures like loadA3fModel, naming `fileName`.
bool readA3fText(const char* text, size_t size, const char* fileName, SceneObject& object);
