#include "check_model.h"

#include "model/a3f_reader.h"
#include "model/model_loading.h"
#include "model/picture.h"
#include "model/scene_object.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

namespace {

void printFloats(const char* key, std::initializer_list<float> values) {
    std::printf("%s:", key);
    for (float value : values) std::printf(" %s", formatFloat(value).c_str());
    std::printf("\n");
}

void printModel(const SceneObject& o, bool textureLoaded, bool verbose) {
    std::printf("vertices: %u\nfaces: %u\nnormals: %s\n", o.vertexCount, o.faceCount,
                o.hasNormals ? "yes" : "no");
    printFloats("bounds", {o.boundsMin.x, o.boundsMin.y, o.boundsMin.z, o.boundsMax.x,
                           o.boundsMax.y, o.boundsMax.z});
    std::printf("material: %s\n", o.materialName);
    printFloats("diffuse", {o.diffuse[0], o.diffuse[1], o.diffuse[2], o.diffuse[3]});
    std::printf("shininess: %u\ntexture: %s\ntexture-loaded: %s\nalpha-mode: %d\n", o.shininess,
                o.textureFile, textureLoaded ? "yes" : "no", o.alphaMode);
    printFloats("alpha-value", {o.alphaValue});
    if (!verbose) return;
    for (uint32_t i = 0; i < o.vertexCount; ++i) {
        const ModelVertex& v = o.vertices[i];
        printFloats("v", {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y,
                          v.normal.z, v.u, v.v});
    }
    for (uint32_t i = 0; i < o.faceCount; ++i)
        std::printf("f: %u %u %u\n", o.faces[i].index[0], o.faces[i].index[1], o.faces[i].index[2]);
}

}  // namespace

int checkModel(const std::string& fileName, const CheckOptions& options) {
    SceneObject object;
    constructSceneObject(object);
    bool ok = loadA3fModel(fileName.c_str(), object);
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    const bool textureLoaded = ok && object.textureFile[0] != '\0' &&
                               loadTexturePicture(object.textureFile, pixels, width, height);
    if (ok) printModel(object, textureLoaded, options.verbose);
    // A model without the texture it names is drawn bare: the texture cache
    // has said which picture did not load.
    ok = ok && (object.textureFile[0] == '\0' || textureLoaded);
    destroySceneObject(object);
    return printResult(ok);
}
