#include "model/model_loading.h"

#include "model/a3f_reader.h"

#include <new>

namespace {

uint32_t modelsLoaded = 0;

}  // namespace

bool loadA3fModel(const char* fileName, SceneObject& object) {
    if (!readA3fFile(fileName, object)) return false;
    object.model = ++modelsLoaded;
    return true;
}

void destroySceneObject(SceneObject& object) {
    if (!object.sharesModel) releaseModelArrays(object);
}

void destroyShotObject(ShotObject& shot) {
    releaseShotArrays(shot);
    destroySceneObject(shot.object);
}

bool allocateShotArrays(ShotObject& shot) {
    const SceneObject& o = shot.object;
    releaseShotArrays(shot);
    shot.positions = new (std::nothrow) float[size_t(o.vertexCount) * 3]();
    if (o.hasNormals) shot.normals = new (std::nothrow) float[size_t(o.vertexCount) * 3]();
    const bool textured = o.textureFile[0] != '\0';
    if (textured) shot.texCoords = new (std::nothrow) float[size_t(o.vertexCount) * 2]();
    bool ok = shot.positions && (shot.normals || !o.hasNormals) && (shot.texCoords || !textured);
    if (!ok) releaseShotArrays(shot);
    return ok;
}

void splitVertexArrays(ShotObject& shot) {
    const SceneObject& o = shot.object;
    for (uint32_t i = 0; i < o.vertexCount; ++i) {
        const ModelVertex& v = o.vertices[i];
        float* p = shot.positions + size_t(i) * 3;
        p[0] = v.position.x;
        p[1] = v.position.y;
        p[2] = v.position.z;
        if (shot.normals) {
            float* n = shot.normals + size_t(i) * 3;
            n[0] = v.normal.x;
            n[1] = v.normal.y;
            n[2] = v.normal.z;
        }
        if (shot.texCoords) {
            shot.texCoords[size_t(i) * 2] = v.u;
            shot.texCoords[size_t(i) * 2 + 1] = v.v;
        }
    }
}

bool loadShotModel(ShotObject& shot) {
    if (!loadA3fModel("shot.a3f", shot.object)) return false;
    if (!allocateShotArrays(shot)) return false;
    splitVertexArrays(shot);
    return true;
}
