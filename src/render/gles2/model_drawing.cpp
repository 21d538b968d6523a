#include "render/gles2/model_drawing.h"

#include "render/gles2/gl.h"
#include "render/gles2/shading.h"
#include "render/gles2/stream_buffers.h"
#include "render/gles2/texture_cache.h"
#include "render/model_lookup.h"

#include <cstddef>
#include <vector>

namespace {

constexpr int kFloatsPerVertex = 8;  // position, normal, texture coordinates

std::vector<ModelHandles> drawings;

void addVertex(std::vector<float>& out, const float* p, const float* n, const float* t) {
    out.insert(out.end(), {p[0], p[1], p[2]});
    if (n) out.insert(out.end(), {n[0], n[1], n[2]});
    else out.insert(out.end(), {0.0f, 0.0f, 1.0f});
    if (t) out.insert(out.end(), {t[0], t[1]});
    else out.insert(out.end(), {0.0f, 0.0f});
}

// The arrays come from the bound buffer; without normals of its own a
// vertex takes the current normal.
void bindVertexArrays(bool normals, bool texCoords) {
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(kPositionAttribute);
    glVertexAttribPointer(kNormalAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    if (normals) glEnableVertexAttribArray(kNormalAttribute);
    glVertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(6 * sizeof(float)));
    if (texCoords) glEnableVertexAttribArray(kTexCoordAttribute);
    else glVertexAttrib2f(kTexCoordAttribute, 0.0f, 0.0f);
}

void unbindVertexArrays() {
    glDisableVertexAttribArray(kNormalAttribute);
    glDisableVertexAttribArray(kTexCoordAttribute);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// The model's own vertices, each shaded once, and its faces as indices into
// them when 16 bits can hold every index (all ES 2 drivers take those);
// otherwise each face's corners are written out in turn.
void fillBuffer(ModelHandles& d, const SceneObject& o) {
    const bool indexed = o.vertexCount <= 65536;
    std::vector<float> data;
    data.reserve(size_t(indexed ? o.vertexCount : o.faceCount * 3) * kFloatsPerVertex);
    auto add = [&data](const ModelVertex& v) {
        const float p[3] = {v.position.x, v.position.y, v.position.z};
        const float n[3] = {v.normal.x, v.normal.y, v.normal.z};
        const float t[2] = {v.u, v.v};
        addVertex(data, p, n, t);
    };
    std::vector<uint16_t> indices;
    if (indexed) {
        for (uint32_t i = 0; i < o.vertexCount; ++i) add(o.vertices[i]);
        indices.reserve(size_t(o.faceCount) * 3);
        for (uint32_t f = 0; f < o.faceCount; ++f)
            for (uint32_t index : o.faces[f].index) indices.push_back(uint16_t(index));
    } else {
        for (uint32_t f = 0; f < o.faceCount; ++f)
            for (uint32_t index : o.faces[f].index) add(o.vertices[index]);
    }
    d.lastNormal = o.vertices[o.faces[o.faceCount - 1].index[2]].normal;
    d.vertexCount = int32_t(o.faceCount * 3);
    glGenBuffers(1, &d.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, d.buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (!indexed) return;
    glGenBuffers(1, &d.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint16_t)),
                 indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

}  // namespace

ModelHandles prepareModelHandles(const SceneObject& object, bool makeBuffer) {
    const ModelHandles made = modelHandlesOf(object);
    if (made.model != 0 || object.model == 0) return made;
    ModelHandles d;
    d.model = object.model;
    d.texture = object.textureFile[0] != '\0'
                    ? loadTexture(object.textureFile, object.alphaMode, object.alphaValue)
                    : 0;
    for (int i = 0; i < 4; ++i) d.diffuse[i] = object.diffuse[i];
    d.shininess = object.shininess;
    d.blended = object.alphaMode != kAlphaNone;
    d.hasNormals = object.hasNormals;
    if (makeBuffer && object.faceCount > 0) fillBuffer(d, object);
    drawings.push_back(d);
    return d;
}

ModelHandles modelHandlesOf(const SceneObject& object) {
    return findModelHandles(drawings, object.model);
}

void releaseModelHandles() {
    for (const ModelHandles& d : drawings)
        for (uint32_t buffer : {d.buffer, d.indexBuffer})
            if (buffer != 0) glDeleteBuffers(1, &buffer);
    drawings.clear();
}

void drawModelBuffer(const ModelHandles& d, uint32_t texture) {
    if (d.buffer == 0) return;
    setMaterial(d.diffuse, d.shininess);
    setTexture(texture);
    if (d.blended) glEnable(GL_BLEND);
    glBindBuffer(GL_ARRAY_BUFFER, d.buffer);
    bindVertexArrays(d.hasNormals, texture != 0);
    applyShading();
    if (d.indexBuffer != 0) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.indexBuffer);
        glDrawElements(GL_TRIANGLES, d.vertexCount, GL_UNSIGNED_SHORT, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    } else {
        glDrawArrays(GL_TRIANGLES, 0, d.vertexCount);
    }
    unbindVertexArrays();
    if (d.blended) glDisable(GL_BLEND);
    if (d.hasNormals) setCurrentNormal(d.lastNormal);
}

void drawShotArrays(const ShotObject& shot) {
    const SceneObject& o = shot.object;
    if (o.side == 0 || !shot.positions) return;
    const uint32_t texture = modelHandlesOf(o).texture;
    const bool normals = o.hasNormals && shot.normals;
    const bool texCoords = texture != 0 && shot.texCoords;
    std::vector<float> data;
    data.reserve(size_t(o.faceCount) * 3 * kFloatsPerVertex);
    for (uint32_t f = 0; f < o.faceCount; ++f)
        for (uint32_t index : o.faces[f].index)
            addVertex(data, shot.positions + 3 * index, normals ? shot.normals + 3 * index : nullptr,
                      texCoords ? shot.texCoords + 2 * index : nullptr);
    const float* diffuse = o.diffuse;
    setMaterial(diffuse, o.shininess);
    setTexture(texture);
    setModelMatrix(o.matrix);
    if (o.alphaMode != kAlphaNone) glEnable(GL_BLEND);
    glBindBuffer(GL_ARRAY_BUFFER, nextStreamBuffer());
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(),
                 GL_STREAM_DRAW);
    bindVertexArrays(normals, texCoords);
    applyShading();
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(o.faceCount * 3));
    unbindVertexArrays();
    if (o.alphaMode != kAlphaNone) glDisable(GL_BLEND);
}
