#include "obj2a3f.h"

#include "check.h"
#include "obj_mesh.h"
#include "tool_help.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <strings.h>
#include <tuple>

namespace {

const char kUsage[] =
    "usage: vexar-tool obj2a3f IN.obj OUT.a3f\n"
    "Converts a Wavefront OBJ mesh, with the first material it uses from its .mtl\n"
    "file (colours, shininess, a .bmp, .jpg or .tga texture), into a model file.\n"
    "  --help              this text\n";

struct A3fVertex {
    Vec3 position, normal;
    float u = 0.0f, v = 0.0f;
};

struct A3fMesh {
    std::vector<A3fVertex> vertices;
    std::vector<uint32_t> indices;  // three per face
};

Vec3 faceNormal(const ObjMesh& obj, const ObjCorner* corners) {
    Vec3 a = obj.positions[size_t(corners[0].position)];
    Vec3 n = cross(obj.positions[size_t(corners[1].position)] - a,
                   obj.positions[size_t(corners[2].position)] - a);
    normalize(n);
    return n;
}

// One model vertex per distinct corner. Corners without a normal take their
// face's normal (and so stay apart per face); missing texture coordinates
// are 0. The OBJ's v runs up from the picture's bottom row, the game's from
// its top row.
A3fMesh buildMesh(const ObjMesh& obj) {
    A3fMesh mesh;
    std::map<std::tuple<long, long, long, size_t>, uint32_t> known;
    for (size_t t = 0; t < obj.triangles.size(); t += 3) {
        const ObjCorner* corners = &obj.triangles[t];
        Vec3 flat = faceNormal(obj, corners);
        for (int i = 0; i < 3; ++i) {
            const ObjCorner& c = corners[i];
            auto key = std::make_tuple(c.position, c.texCoord, c.normal, c.normal < 0 ? t : 0);
            auto found = known.find(key);
            if (found == known.end()) {
                A3fVertex v;
                v.position = obj.positions[size_t(c.position)];
                v.normal = c.normal < 0 ? flat : obj.normals[size_t(c.normal)];
                if (c.texCoord >= 0) {
                    v.u = obj.texCoords[size_t(c.texCoord) * 2];
                    v.v = 1.0f - obj.texCoords[size_t(c.texCoord) * 2 + 1];
                }
                found = known.emplace(key, uint32_t(mesh.vertices.size())).first;
                mesh.vertices.push_back(v);
            }
            mesh.indices.push_back(found->second);
        }
    }
    return mesh;
}

std::string numbers(std::initializer_list<float> values) {
    std::string text;
    for (float value : values) text += (text.empty() ? "" : " ") + formatFloat(value);
    return text;
}

std::string colour(const float* c) { return numbers({c[0], c[1], c[2], c[3]}); }

// Names become single tokens in the model file.
std::string asToken(std::string name) {
    for (char& c : name)
        if (c == ' ' || c == '\t') c = '_';
    return name.empty() ? "default" : name;
}

bool writeA3f(const std::string& path, const A3fMesh& mesh, const ObjMaterial& m) {
    std::ofstream out(std::filesystem::u8path(path));
    out << "A3F\nVERSION { 1.0 }\nCOMMENT { converted by vexar-tool obj2a3f }\n"
        << "VERTICES {\n  POSITION_NORMAL_TEXCOORDS " << mesh.vertices.size() << "\n";
    for (const A3fVertex& v : mesh.vertices)
        out << "  " << numbers({v.position.x, v.position.y, v.position.z}) << "   "
            << numbers({v.normal.x, v.normal.y, v.normal.z}) << "   " << numbers({v.u, v.v}) << "\n";
    out << "}\nFACES {\n  " << mesh.indices.size() / 3 << "\n";
    for (size_t i = 0; i < mesh.indices.size(); i += 3)
        out << "  " << mesh.indices[i] << " " << mesh.indices[i + 1] << " " << mesh.indices[i + 2]
            << " 0\n";
    out << "}\nMATERIALS {\n  1\n  {\n    NAME " << asToken(m.name) << "\n    AMBIENT "
        << colour(m.ambient) << "\n    DIFFUSE " << colour(m.diffuse) << "\n    SPECULAR "
        << colour(m.specular) << "\n    EMISSION " << colour(m.emission) << "\n    SHININESS "
        << m.shininess << "\n";
    if (!m.texture.empty()) out << "    TEXTURE {\n      FILE " << m.texture << "\n      ALPHA NONE\n    }\n";
    out << "  }\n}\n";
    out.close();
    return bool(out);
}

// The game reads BMP, JPEG and TGA pictures by their last three letters.
bool usableTexture(const std::string& name) {
    if (name.size() < 4 || name.size() > 259 || name.find('/') != std::string::npos) return false;
    const char* ending = name.c_str() + name.size() - 4;
    return strcasecmp(ending, ".bmp") == 0 || strcasecmp(ending, ".jpg") == 0 ||
           strcasecmp(ending, ".tga") == 0;
}

}  // namespace

int runObj2a3f(int argc, char** argv) {
    if (printHelpIfAsked(argc, argv, kUsage)) return 0;
    if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    ObjMesh obj;
    std::string error;
    if (!readObjFile(argv[2], obj, error)) {
        std::fprintf(stderr, "obj2a3f: %s\n", error.c_str());
        return 1;
    }
    if (!obj.material.texture.empty() && !usableTexture(obj.material.texture)) {
        std::fprintf(stderr,
                     "obj2a3f: texture '%s' cannot be used: the game reads .bmp, .jpg and .tga "
                     "pictures from its media folder (a bare name without folders)\n",
                     obj.material.texture.c_str());
        return 1;
    }
    if (!writeA3f(argv[3], buildMesh(obj), obj.material)) {
        std::fprintf(stderr, "obj2a3f: %s: cannot write\n", argv[3]);
        return 1;
    }
    return 0;
}
