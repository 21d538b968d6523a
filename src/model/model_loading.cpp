#include "model/model_loading.h"

#include "model/a3f_reader.h"
#include "model/texture_cache.h"
#include "platform/gl.h"

#include <new>

namespace {

constexpr GLsizei kDisplayListBlock = 1000;

uint32_t nextDisplayList = 0;
GLsizei displayListsLeft = 0;

void setMaterial(const SceneObject& o) {
    glColor4fv(o.diffuse);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, o.diffuse);
    glMateriali(GL_FRONT, GL_SHININESS, GLint(o.shininess));
}

void compileDisplayList(const SceneObject& o) {
    glNewList(o.displayList, GL_COMPILE);
    setMaterial(o);
    if (o.alphaMode != kAlphaNone) glEnable(GL_BLEND);
    glBegin(GL_TRIANGLES);
    for (uint32_t f = 0; f < o.faceCount; ++f) {
        for (uint32_t index : o.faces[f].index) {
            const ModelVertex& v = o.vertices[index];
            if (o.textureId != 0) glTexCoord2f(v.u, v.v);
            if (o.hasNormals) glNormal3f(v.normal.x, v.normal.y, v.normal.z);
            glVertex3f(v.position.x, v.position.y, v.position.z);
        }
    }
    glEnd();
    if (o.alphaMode != kAlphaNone) glDisable(GL_BLEND);
    glEndList();
}

}  // namespace

uint32_t takeDisplayListName() {
    if (displayListsLeft == 0) {
        nextDisplayList = glGenLists(kDisplayListBlock);
        if (nextDisplayList == 0) return 0;
        displayListsLeft = kDisplayListBlock;
    }
    --displayListsLeft;
    return nextDisplayList++;
}

bool loadA3fModel(const char* fileName, SceneObject& object) {
    if (!readA3fFile(fileName, object)) return false;
    object.textureId = object.textureFile[0] != '\0'
                           ? loadTexture(object.textureFile, object.alphaMode, object.alphaValue)
                           : 0;
    return true;
}

void destroySceneObject(SceneObject& object) {
    if (object.sharesModel) return;
    releaseModelArrays(object);
    if (object.displayList != 0) glDeleteLists(object.displayList, 1);
    if (object.textureId != 0) glDeleteTextures(1, &object.textureId);
    glGetError();
}

void destroyShotObject(ShotObject& shot) {
    releaseShotArrays(shot);
    destroySceneObject(shot.object);
}

bool loadModelToDisplayList(const char* fileName, SceneObject& object) {
    if (!loadA3fModel(fileName, object)) return false;
    object.displayList = takeDisplayListName();
    if (object.displayList != 0) compileDisplayList(object);
    return true;
}

bool allocateShotArrays(ShotObject& shot) {
    const SceneObject& o = shot.object;
    releaseShotArrays(shot);
    shot.positions = new (std::nothrow) float[size_t(o.vertexCount) * 3]();
    if (o.hasNormals) shot.normals = new (std::nothrow) float[size_t(o.vertexCount) * 3]();
    if (o.textureId != 0) shot.texCoords = new (std::nothrow) float[size_t(o.vertexCount) * 2]();
    bool ok = shot.positions && (shot.normals || !o.hasNormals) && (shot.texCoords || o.textureId == 0);
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

void drawWithVertexArrays(const ShotObject& shot) {
    const SceneObject& o = shot.object;
    if (o.side == 0 || !shot.positions) return;
    // A shot whose arrays were not made for its model draws without them
    // rather than letting OpenGL read through a null pointer.
    bool normals = o.hasNormals && shot.normals;
    bool texCoords = o.textureId != 0 && shot.texCoords;
    glBindTexture(GL_TEXTURE_2D, o.textureId);
    setMaterial(o);
    if (o.alphaMode != kAlphaNone) glEnable(GL_BLEND);
    glVertexPointer(3, GL_FLOAT, 0, shot.positions);
    if (normals) glNormalPointer(GL_FLOAT, 0, shot.normals);
    else glDisableClientState(GL_NORMAL_ARRAY);
    if (texCoords) glTexCoordPointer(2, GL_FLOAT, 0, shot.texCoords);
    else glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glLoadMatrixf(o.matrix.m);
    glDrawElements(GL_TRIANGLES, GLsizei(o.faceCount * 3), GL_UNSIGNED_INT, o.faces);
    if (!normals) glEnableClientState(GL_NORMAL_ARRAY);
    if (!texCoords) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (o.alphaMode != kAlphaNone) glDisable(GL_BLEND);
}
