#pragma once
#include "model/scene_object.h"

#include <cstddef>

// Reads the model file `fileName` (a bare name in the media folder) into the
// object's model fields and places the object at the origin with side 1.
// Every failure is reported with the error box and gives false; what was
// stored before the failure stays in the object. loadA3fModel (model_loading.h)
// also loads the texture the model names.
bool readA3fFile(const char* fileName, SceneObject& object);

// The parsing part of readA3fFile over a file's text: everything but opening
// the file. `text[size]` must be a NUL byte. Reports failures like
// readA3fFile, naming `fileName` where the game's own messages do and `path`
// (the file name itself when not given) wherever a failure names the file.
bool readA3fText(const char* text, size_t size, const char* fileName, SceneObject& object,
                 const char* path = nullptr);
