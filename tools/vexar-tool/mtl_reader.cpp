#include "obj_mesh.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

bool readColour(std::istringstream& in, float* rgb) {
    for (int i = 0; i < 3; ++i)
        if (!(in >> rgb[i]) || !std::isfinite(rgb[i])) return false;
    return true;
}

// The last word of a map statement is the file; options such as -s come before it.
std::string lastWord(std::istringstream& in) {
    std::string word, last;
    while (in >> word) last = word;
    return last;
}

}  // namespace

bool readMtlMaterial(const std::string& path, ObjMaterial& material, std::string& error) {
    std::ifstream file(std::filesystem::u8path(path));
    if (!file) {
        error = path + ": cannot open the material library";
        return false;
    }
    std::string text, current;
    bool found = false;
    for (int line = 1; std::getline(file, text); ++line) {
        std::istringstream in(text);
        std::string keyword;
        if (!(in >> keyword) || keyword[0] == '#') continue;
        if (keyword == "newmtl") {
            std::getline(in >> std::ws, current);
            if (!current.empty() && current.back() == '\r') current.pop_back();
            found = found || current == material.name;
            continue;
        }
        if (current != material.name) continue;
        bool ok = true;
        float value = 0.0f;
        if (keyword == "Ka") ok = readColour(in, material.ambient);
        else if (keyword == "Kd") ok = readColour(in, material.diffuse);
        else if (keyword == "Ks") ok = readColour(in, material.specular);
        else if (keyword == "Ke") ok = readColour(in, material.emission);
        else if (keyword == "Ns") {
            ok = bool(in >> value) && std::isfinite(value);
            // OpenGL takes shininess 0 to 128.
            material.shininess = unsigned(std::lround(std::fmin(std::fmax(value, 0.0f), 128.0f)));
        } else if (keyword == "d") {
            ok = bool(in >> material.diffuse[3]) && std::isfinite(material.diffuse[3]);
        } else if (keyword == "map_Kd") {
            material.texture = lastWord(in);
        }
        if (!ok) {
            error = path + ":" + std::to_string(line) + ": bad value for " + keyword;
            return false;
        }
    }
    if (!found) {
        error = path + ": no material '" + material.name + "'";
        return false;
    }
    return true;
}
