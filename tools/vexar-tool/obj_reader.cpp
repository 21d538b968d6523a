#include "obj_mesh.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct ObjReader {
    ObjMesh& mesh;
    std::string path;
    int line = 0;
    std::string error = {};
    std::string library = {};  // mtllib file, relative to the OBJ's folder
    std::string usedMaterial = {};  // the first usemtl

    bool fail(const std::string& what) {
        error = path + ":" + std::to_string(line) + ": " + what;
        return false;
    }
};

bool readFloats(std::istringstream& in, float* values, int least, int most) {
    int n = 0;
    std::string word;
    while (n < most && in >> word) {
        char* stop = nullptr;
        values[n] = std::strtof(word.c_str(), &stop);
        if (*stop != '\0' || !std::isfinite(values[n])) return false;
        ++n;
    }
    return n >= least;
}

// An OBJ index: 1-based, or negative counting back from the last element read.
bool resolveIndex(const std::string& text, size_t count, long& index) {
    if (text.empty()) return false;
    char* stop = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &stop, 10);
    if (*stop != '\0' || errno != 0 || value == 0) return false;
    index = value > 0 ? value - 1 : long(count) + value;
    return index >= 0 && size_t(index) < count;
}

bool readCorner(ObjReader& r, const std::string& word, ObjCorner& corner) {
    std::string parts[3];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t slash = word.find('/', start);
        parts[i] = word.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (slash == std::string::npos) break;
        start = slash + 1;
        if (i == 2) return r.fail("bad face corner '" + word + "'");
    }
    const ObjMesh& m = r.mesh;
    if (!resolveIndex(parts[0], m.positions.size(), corner.position))
        return r.fail("bad or missing vertex index in '" + word + "'");
    if (!parts[1].empty() && !resolveIndex(parts[1], m.texCoords.size() / 2, corner.texCoord))
        return r.fail("bad texture coordinate index in '" + word + "'");
    if (!parts[2].empty() && !resolveIndex(parts[2], m.normals.size(), corner.normal))
        return r.fail("bad normal index in '" + word + "'");
    return true;
}

// A polygon is fanned from its first corner, keeping its winding.
bool readFace(ObjReader& r, std::istringstream& in) {
    std::vector<ObjCorner> corners;
    std::string word;
    while (in >> word) {
        ObjCorner corner;
        if (!readCorner(r, word, corner)) return false;
        corners.push_back(corner);
    }
    if (corners.size() < 3) return r.fail("a face needs at least three corners");
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        r.mesh.triangles.push_back(corners[0]);
        r.mesh.triangles.push_back(corners[i]);
        r.mesh.triangles.push_back(corners[i + 1]);
    }
    return true;
}

bool readStatement(ObjReader& r, const std::string& keyword, std::istringstream& in) {
    ObjMesh& m = r.mesh;
    float values[3] = {0, 0, 0};
    if (keyword == "v") {
        if (!readFloats(in, values, 3, 3)) return r.fail("bad vertex position");
        m.positions.push_back({values[0], values[1], values[2]});
    } else if (keyword == "vt") {
        if (!readFloats(in, values, 1, 2)) return r.fail("bad texture coordinate");
        m.texCoords.push_back(values[0]);
        m.texCoords.push_back(values[1]);
    } else if (keyword == "vn") {
        if (!readFloats(in, values, 3, 3)) return r.fail("bad normal");
        m.normals.push_back({values[0], values[1], values[2]});
    } else if (keyword == "f") {
        return readFace(r, in);
    } else if (keyword == "mtllib") {
        std::getline(in >> std::ws, r.library);
    } else if (keyword == "usemtl" && r.usedMaterial.empty()) {
        std::getline(in >> std::ws, r.usedMaterial);
    } else if (keyword == "l" || keyword == "p" || keyword == "curv" || keyword == "surf") {
        return r.fail("'" + keyword + "' elements cannot be converted (only faces)");
    }
    return true;  // groups, objects, smoothing and the like carry nothing for the model
}

}  // namespace

bool readObjFile(const std::string& path, ObjMesh& mesh, std::string& error) {
    std::ifstream file(std::filesystem::u8path(path));
    if (!file) {
        error = path + ": cannot open";
        return false;
    }
    ObjReader r{mesh, path};
    std::string text;
    while (std::getline(file, text)) {
        ++r.line;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::istringstream in(text);
        std::string keyword;
        if (!(in >> keyword) || keyword[0] == '#') continue;
        if (!readStatement(r, keyword, in)) {
            error = r.error;
            return false;
        }
    }
    if (mesh.triangles.empty()) {
        error = path + ": no faces to convert";
        return false;
    }
    if (r.library.empty() || r.usedMaterial.empty()) return true;
    std::filesystem::path library = std::filesystem::u8path(path).parent_path() / std::filesystem::u8path(r.library);
    mesh.material.name = r.usedMaterial;
    return readMtlMaterial(library.u8string(), mesh.material, error);
}
