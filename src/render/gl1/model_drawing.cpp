#include "render/gl1/model_drawing.h"

#include "render/gl1/texture_cache.h"
#include "render/gl1/gl.h"
#include "render/model_lookup.h"

#include <vector>

namespace {

constexpr GLsizei kDisplayListBlock = 1000;

uint32_t nextDisplayList = 0;
GLsizei displayListsLeft = 0;

std::vector<ModelHandles> drawings;

void setMaterial(const SceneObject& o) {
    glColor4fv(o.diffuse);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, o.diffuse);
    glMateriali(GL_FRONT, GL_SHININESS, GLint(o.shininess));
}

void compileDisplayList(const SceneObject& o, const ModelHandles& d) {
    glNewList(d.displayList, GL_COMPILE);
    setMaterial(o);
    if (o.alphaMode != kAlphaNone) glEnable(GL_BLEND);
    glBegin(GL_TRIANGLES);
    for (uint32_t f = 0; f < o.faceCount; ++f) {
        for (uint32_t index : o.faces[f].index) {
            const ModelVertex& v = o.vertices[index];
            if (d.texture != 0) glTexCoord2f(v.u, v.v);
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

ModelHandles prepareModelHandles(const SceneObject& object, bool compileList) {
    const ModelHandles made = modelHandlesOf(object);
    if (made.model != 0 || object.model == 0) return made;
    ModelHandles d;
    d.model = object.model;
    d.texture = object.textureFile[0] != '\0'
                    ? loadTexture(object.textureFile, object.alphaMode, object.alphaValue)
                    : 0;
    if (compileList) d.displayList = takeDisplayListName();
    if (d.displayList != 0) compileDisplayList(object, d);
    drawings.push_back(d);
    return d;
}

ModelHandles modelHandlesOf(const SceneObject& object) {
    return findModelHandles(drawings, object.model);
}

void releaseModelHandles() {
    for (const ModelHandles& d : drawings)
        if (d.displayList != 0) glDeleteLists(d.displayList, 1);
    drawings.clear();
    glGetError();
}

void drawWithVertexArrays(const ShotObject& shot) {
    const SceneObject& o = shot.object;
    if (o.side == 0 || !shot.positions) return;
    const uint32_t texture = modelHandlesOf(o).texture;
    // A shot whose arrays were not made for its model draws without them
    // rather than letting OpenGL read through a null pointer.
    bool normals = o.hasNormals && shot.normals;
    bool texCoords = texture != 0 && shot.texCoords;
    glBindTexture(GL_TEXTURE_2D, texture);
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
