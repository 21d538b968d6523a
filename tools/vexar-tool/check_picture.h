#pragma once
#include "check.h"

// `check` for .bmp, .jpg and .tga files: the game's picture reader.
int checkPicture(const std::string& fileName, const CheckOptions& options);
