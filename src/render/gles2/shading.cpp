#include "render/gles2/shading.h"

#include "math/matrix4.h"
#include "render/gles2/gl.h"

#include <cstdio>
#include <cstring>

namespace {

// Light 0 sits at (0, 1, 1) as a point light and the viewer at infinity
// along +z; the material's ambient and emission are 0.2 and its specular 1,
// the scene's ambient 0.2, so 0.2 + 0.2 * 0.2 is the light-independent part.
// Normals are not renormalised: a scaled model lights as OpenGL lights it.
const char kVertexShader[] = R"(
attribute vec3 aPosition;
attribute vec3 aNormal;
attribute vec2 aTexCoord;
attribute vec4 aColour;
uniform mat4 uProjection;
uniform mat4 uModel;
uniform mat3 uNormalMatrix;
uniform bool uLit;
uniform vec4 uDiffuse;
uniform float uShininess;
uniform vec3 uLightAmbient;
uniform vec3 uLightDiffuse;
uniform vec3 uLightSpecular;
uniform mediump float uPointSize;
varying vec4 vColour;
varying vec2 vTexCoord;
void main() {
    vec4 eye = uModel * vec4(aPosition, 1.0);
    gl_Position = uProjection * eye;
    gl_PointSize = uPointSize;
    vTexCoord = aTexCoord;
    if (!uLit) {
        vColour = aColour;
        return;
    }
    vec3 n = uNormalMatrix * aNormal;
    vec3 l = normalize(vec3(0.0, 1.0, 1.0) - eye.xyz / eye.w);
    float nl = dot(n, l);
    vec3 c = vec3(0.24) + 0.2 * uLightAmbient;
    if (nl > 0.0) {
        c += nl * uLightDiffuse * uDiffuse.rgb;
        float nh = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);
        c += (uShininess > 0.0 ? pow(nh, uShininess) : 1.0) * uLightSpecular;
    }
    vColour = vec4(min(c, vec3(1.0)), uDiffuse.a);
}
)";

const char kFragmentShader[] = R"(
precision mediump float;
uniform sampler2D uTexture;
uniform bool uTextured;
uniform bool uQuantised;
uniform bool uRoundPoint;
uniform float uPointSize;
varying vec4 vColour;
varying vec2 vTexCoord;
void main() {
    vec4 c = vColour;
    if (uTextured) {
        vec4 t = texture2D(uTexture, vTexCoord);
        if (uQuantised) t.rgb = floor(t.rgb * vec3(7.0, 7.0, 3.0) + 0.5) / vec3(7.0, 7.0, 3.0);
        c *= t;
    }
    if (uRoundPoint) {
        // The point is drawn a pixel wider than its size; its rim fades over that pixel.
        float coverage = clamp(0.5 * uPointSize - length(gl_PointCoord - 0.5) * uPointSize, 0.0, 1.0);
        if (coverage <= 0.0) discard;
        c.a *= coverage;
    }
    gl_FragColor = c;
}
)";

struct Uniforms {
    GLint projection, model, normalMatrix, lit, diffuse, shininess;
    GLint lightAmbient, lightDiffuse, lightSpecular, pointSize;
    GLint textured, quantised, roundPoint;
};

GLuint program = 0;
Uniforms u;
float projectionSet[16] = {};
Vec3 normalSet{0.0f, 0.0f, 1.0f};

GLuint compile(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "the renderer's shader does not compile: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

bool link(GLuint vertex, GLuint fragment) {
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, kPositionAttribute, "aPosition");
    glBindAttribLocation(program, kNormalAttribute, "aNormal");
    glBindAttribLocation(program, kTexCoordAttribute, "aTexCoord");
    glBindAttribLocation(program, kColourAttribute, "aColour");
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok) return true;
    char log[1024] = "";
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    std::fprintf(stderr, "the renderer's shaders do not link: %s\n", log);
    releaseShading();
    return false;
}

void findUniforms() {
    auto at = [](const char* name) { return glGetUniformLocation(program, name); };
    u = {at("uProjection"), at("uModel"),        at("uNormalMatrix"),  at("uLit"),
         at("uDiffuse"),    at("uShininess"),    at("uLightAmbient"),  at("uLightDiffuse"),
         at("uLightSpecular"), at("uPointSize"), at("uTextured"),      at("uQuantised"),
         at("uRoundPoint")};
    glUniform1i(glGetUniformLocation(program, "uTexture"), 0);
}

}  // namespace

bool makeShading() {
    GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vertex || !fragment || !link(vertex, fragment)) return false;
    glUseProgram(program);
    findUniforms();
    const float ambient[3] = {0.2f, 0.2f, 0.2f}, diffuse[3] = {1, 1, 1}, specular[3] = {0, 0, 0};
    setLightColours(ambient, diffuse, specular);
    const float material[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    setMaterial(material, 0);
    setCurrentNormal({0.0f, 0.0f, 1.0f});
    setIdentityModel();
    setLighting(true);
    setTexture(0);
    setPoints(1.0f, false);
    return true;
}

void releaseShading() {
    if (program != 0) glDeleteProgram(program);
    program = 0;
}

void setProjection(const float projection[16]) {
    std::memcpy(projectionSet, projection, sizeof projectionSet);
    glUniformMatrix4fv(u.projection, 1, GL_FALSE, projection);
}

const float* projectionInUse() { return projectionSet; }

void setModelMatrix(const Matrix4& model) {
    glUniformMatrix4fv(u.model, 1, GL_FALSE, model.m);
    // The inverse transpose of the upper 3 x 3: its cofactors over the determinant.
    const float* m = model.m;
    auto at = [m](int r, int c) { return m[4 * c + r]; };
    float cof[9];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cof[3 * c + r] = at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1);
        }
    float det = at(0, 0) * cof[0] + at(0, 1) * cof[3] + at(0, 2) * cof[6];
    float inverse = det != 0.0f ? 1.0f / det : 0.0f;
    for (float& value : cof) value *= inverse;
    glUniformMatrix3fv(u.normalMatrix, 1, GL_FALSE, cof);
}

void setIdentityModel() { setModelMatrix(identityMatrix()); }

void setLighting(bool lit) { glUniform1i(u.lit, lit ? 1 : 0); }

void setLightColours(const float* ambient, const float* diffuse, const float* specular) {
    glUniform3fv(u.lightAmbient, 1, ambient);
    glUniform3fv(u.lightDiffuse, 1, diffuse);
    glUniform3fv(u.lightSpecular, 1, specular);
}

void setMaterial(const float diffuse[4], uint32_t shininess) {
    glUniform4fv(u.diffuse, 1, diffuse);
    // OpenGL refuses a shininess above 128 and keeps the one before.
    static float kept = 0.0f;
    if (shininess <= 128) kept = float(shininess);
    glUniform1f(u.shininess, kept);
    glVertexAttrib4fv(kColourAttribute, diffuse);
}

void setCurrentNormal(const Vec3& normal) {
    normalSet = normal;
    glVertexAttrib3f(kNormalAttribute, normal.x, normal.y, normal.z);
}

Vec3 currentNormal() { return normalSet; }

void setTexture(uint32_t texture, bool quantised) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(u.textured, texture != 0 ? 1 : 0);
    glUniform1i(u.quantised, quantised ? 1 : 0);
}

void setPoints(float size, bool round) {
    glUniform1f(u.pointSize, round ? size + 1.0f : size);
    glUniform1i(u.roundPoint, round ? 1 : 0);
}
