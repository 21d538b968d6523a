#pragma once
// Writes a mesh and its one material as an A3F model text.
#include <string>

#include "mesh.h"

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

struct Material {
    std::string name;
    Rgba ambient{0.2f, 0.2f, 0.2f, 1}, diffuse{1, 1, 1, 1}, specular{0, 0, 0, 1},
        emission{0, 0, 0, 1};
    unsigned shininess = 10;
    std::string textureFile;
    std::string alphaRule = "NONE";  // NONE, BLUE, ... or a number such as 0.5
};

std::string a3fText(const Mesh& mesh, const Material& material, const std::string& comment);

// Fixed-point decimal with at most five fractional digits, the same bytes on
// every platform (no locale, no shortest-round-trip differences).
std::string formatNumber(float value);
