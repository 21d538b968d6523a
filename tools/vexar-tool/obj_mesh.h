#pragma once
#include "math/vec3.h"

#include <cstdint>
#include <string>
#include <vector>

// What obj2a3f takes from an OBJ file and its material library.
struct ObjMaterial {
    std::string name = "default";
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned shininess = 0;
    std::string texture;  // empty: none
};

// One corner of a face: zero-based indices, -1 where the OBJ gives none.
struct ObjCorner {
    long position = -1, texCoord = -1, normal = -1;
};

struct ObjMesh {
    std::vector<Vec3> positions;
    std::vector<float> texCoords;  // u, v pairs as the OBJ gives them
    std::vector<Vec3> normals;
    std::vector<ObjCorner> triangles;  // three corners each, counter-clockwise
    ObjMaterial material;
};

// Reads an OBJ file (v, vt, vn, f with fans, negative and slash-form
// indices, mtllib and the first usemtl). On failure returns false with
// `error` saying where and why.
bool readObjFile(const std::string& path, ObjMesh& mesh, std::string& error);
// Reads one named material from an MTL file (Ka, Kd, Ks, Ke, Ns, d, map_Kd).
bool readMtlMaterial(const std::string& path, ObjMaterial& material, std::string& error);
