#pragma once
// Writes the whole media set into one folder.
#include <string>
#include <vector>

#include "canvas.h"

enum class PictureFormat { Bmp, Jpeg, Tga, TgaRunLength, TgaWithAlpha };

struct Picture {
    std::string fileName;
    Canvas (*paint)();
    PictureFormat format;
};

// The textures the models name, and the splash picture.
const std::vector<Picture>& allPictures();

// Returns false when a file could not be written.
bool writeMediaSet(const std::string& folder);
