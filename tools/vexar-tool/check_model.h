#pragma once
#include "check.h"

// `check` for .a3f files: the game's model reader, with an offscreen OpenGL
// context so that the texture is really loaded.
int checkModel(const std::string& fileName, const CheckOptions& options);
