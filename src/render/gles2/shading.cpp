#include "render/gles2/shading.h"

#include "math/matrix4.h"
#include "platform/error_box.h"
#include "render/gles2/gl.h"

#include <cstdio>
#include <cstring>

namespace {

// Light 0 sits at (0, 1, 1) as a point light and the viewer at infinity
// along +z; the material's ambient and emission are 0.2 and its specular 1,
// the scene's ambient 0.2, so 0.2 + 0.2 * 0.2 is the light-independent part.
// Normals are not renormalised: a scaled model lights as OpenGL lights it.
// Specialised below by what is switched on: a software driver runs every
// side of a branch for each fragment, and a shader that may discard loses
// the depth test before shading, so each state gets a program of its own.
const char kVertexShader[] = R"(
attribute vec3 aPosition;
attribute vec3 aNormal;
attribute vec2 aTexCoord;
attribute vec4 aColour;
uniform mat4 uProjection;
uniform mat4 uModel;
uniform mat3 uNormalMatrix;
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
#ifdef LIT
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
#else
    vColour = aColour;
#endif
}
)";

const char kFragmentShader[] = R"(
precision mediump float;
uniform sampler2D uTexture;
uniform float uPointSize;
varying vec4 vColour;
varying vec2 vTexCoord;
void main() {
    vec4 c = vColour;
#ifdef TEXTURED
    c *= texture2D(uTexture, vTexCoord);
#endif
#ifdef ROUND_POINT
    // The point is drawn a pixel wider than its size; its rim fades over that pixel.
    float coverage = clamp(0.5 * uPointSize - length(gl_PointCoord - 0.5) * uPointSize, 0.0, 1.0);
    if (coverage <= 0.0) discard;
    c.a *= coverage;
#endif
#ifdef QUANTISED
    c.rgb = floor(c.rgb * vec3(7.0, 7.0, 3.0) + 0.5) / vec3(7.0, 7.0, 3.0);
#endif
    gl_FragColor = c;
}
)";

// What a program is made for: lit or not, textured or not, round points or
// not, its colour written at 3-3-2 bits or not.
constexpr int kPrograms = 16;

int programIndex(bool lit, bool textured, bool round, bool quantised) {
    return (quantised ? 8 : 0) + (round ? 4 : 0) + (textured ? 2 : 0) + (lit ? 1 : 0);
}

// The uniforms that change together, each uploaded to a program only when
// it changed since that program last had it.
enum UniformGroup { kProjectionGroup, kModelGroup, kLightGroup, kMaterialGroup, kPointGroup, kGroups };

struct Uniforms {
    GLint projection, model, normalMatrix, diffuse, shininess;
    GLint lightAmbient, lightDiffuse, lightSpecular, pointSize;
};

struct Program {
    GLuint name = 0;
    Uniforms u{};
    uint32_t seen[kGroups] = {};
};

// The state as the fixed function would hold it.
struct ShadingState {
    float projection[16] = {};
    float model[16] = {};
    float normalMatrix[9] = {};
    float lightAmbient[3] = {}, lightDiffuse[3] = {}, lightSpecular[3] = {};
    float diffuse[4] = {};
    float shininess = 0.0f;
    float pointSize = 1.0f;
    bool lit = true, round = false, textured = false, quantised = false;
    uint32_t version[kGroups] = {1, 1, 1, 1, 1};
};

Program programs[kPrograms];
ShadingState state;
int inUse = -1;
Vec3 normalSet{0.0f, 0.0f, 1.0f};

// The driver's log on standard error; the player is told in the error box.
void sayRefused(const char* what, const char* log) {
    std::fprintf(stderr, "the renderer's shaders %s: %s\n", what, log);
    reportFatalError("The graphics driver refused the game's shaders (OpenGL ES 2.0); "
                     "its log is on standard error.");
}

GLuint compile(GLenum kind, const char* defines, const char* source) {
    GLuint shader = glCreateShader(kind);
    const char* parts[] = {defines, source};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        sayRefused("do not compile", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link(GLuint vertex, GLuint fragment) {
    GLuint program = glCreateProgram();
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
    if (ok) return program;
    char log[1024] = "";
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    sayRefused("do not link", log);
    glDeleteProgram(program);
    return 0;
}

void findUniforms(Program& p) {
    auto at = [&p](const char* name) { return glGetUniformLocation(p.name, name); };
    p.u = {at("uProjection"),   at("uModel"),        at("uNormalMatrix"),
           at("uDiffuse"),      at("uShininess"),    at("uLightAmbient"),
           at("uLightDiffuse"), at("uLightSpecular"), at("uPointSize")};
    glUseProgram(p.name);
    glUniform1i(glGetUniformLocation(p.name, "uTexture"), 0);
}

bool makeProgram(bool lit, bool textured, bool round, bool quantised) {
    char vertexDefines[32], fragmentDefines[96];
    std::snprintf(vertexDefines, sizeof vertexDefines, "%s", lit ? "#define LIT\n" : "");
    std::snprintf(fragmentDefines, sizeof fragmentDefines, "%s%s%s",
                  textured ? "#define TEXTURED\n" : "", quantised ? "#define QUANTISED\n" : "",
                  round ? "#define ROUND_POINT\n" : "");
    GLuint vertex = compile(GL_VERTEX_SHADER, vertexDefines, kVertexShader);
    GLuint fragment = vertex ? compile(GL_FRAGMENT_SHADER, fragmentDefines, kFragmentShader) : 0;
    if (!fragment) {
        if (vertex) glDeleteShader(vertex);
        return false;
    }
    Program& p = programs[programIndex(lit, textured, round, quantised)];
    p.name = link(vertex, fragment);
    if (p.name == 0) return false;
    findUniforms(p);
    return true;
}

void bump(UniformGroup group) { ++state.version[group]; }

void upload(Program& p, UniformGroup group) {
    const ShadingState& s = state;
    switch (group) {
        case kProjectionGroup: glUniformMatrix4fv(p.u.projection, 1, GL_FALSE, s.projection); break;
        case kModelGroup:
            glUniformMatrix4fv(p.u.model, 1, GL_FALSE, s.model);
            glUniformMatrix3fv(p.u.normalMatrix, 1, GL_FALSE, s.normalMatrix);
            break;
        case kLightGroup:
            glUniform3fv(p.u.lightAmbient, 1, s.lightAmbient);
            glUniform3fv(p.u.lightDiffuse, 1, s.lightDiffuse);
            glUniform3fv(p.u.lightSpecular, 1, s.lightSpecular);
            break;
        case kMaterialGroup:
            glUniform4fv(p.u.diffuse, 1, s.diffuse);
            glUniform1f(p.u.shininess, s.shininess);
            break;
        case kPointGroup: glUniform1f(p.u.pointSize, s.pointSize); break;
        case kGroups: break;
    }
    p.seen[group] = s.version[group];
}

}  // namespace

bool makeShading() {
    for (int index = 0; index < kPrograms; ++index)
        if (!makeProgram(index & 1, index & 2, index & 4, index & 8)) {
            releaseShading();
            return false;
        }
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
    for (Program& p : programs)
        if (p.name != 0) glDeleteProgram(p.name);
    for (Program& p : programs) p = Program{};
    state = ShadingState{};
    inUse = -1;
}

void applyShading() {
    const int index = programIndex(state.lit, state.textured, state.round, state.quantised);
    Program& p = programs[index];
    if (index != inUse) glUseProgram(p.name);
    inUse = index;
    for (int group = 0; group < kGroups; ++group)
        if (p.seen[group] != state.version[group]) upload(p, UniformGroup(group));
}

void setProjection(const float projection[16]) {
    if (std::memcmp(state.projection, projection, sizeof state.projection) == 0) return;
    std::memcpy(state.projection, projection, sizeof state.projection);
    bump(kProjectionGroup);
}

const float* projectionInUse() { return state.projection; }

void setModelMatrix(const Matrix4& model) {
    if (std::memcmp(state.model, model.m, sizeof state.model) == 0) return;
    std::memcpy(state.model, model.m, sizeof state.model);
    // The inverse transpose of the upper 3 x 3: its cofactors over the determinant.
    const float* m = model.m;
    auto at = [m](int r, int c) { return m[4 * c + r]; };
    float* cof = state.normalMatrix;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cof[3 * c + r] = at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1);
        }
    float det = at(0, 0) * cof[0] + at(0, 1) * cof[3] + at(0, 2) * cof[6];
    float inverse = det != 0.0f ? 1.0f / det : 0.0f;
    for (int i = 0; i < 9; ++i) cof[i] *= inverse;
    bump(kModelGroup);
}

void setIdentityModel() { setModelMatrix(identityMatrix()); }

void setLighting(bool lit) { state.lit = lit; }

void setLightColours(const float* ambient, const float* diffuse, const float* specular) {
    std::memcpy(state.lightAmbient, ambient, sizeof state.lightAmbient);
    std::memcpy(state.lightDiffuse, diffuse, sizeof state.lightDiffuse);
    std::memcpy(state.lightSpecular, specular, sizeof state.lightSpecular);
    bump(kLightGroup);
}

void setMaterial(const float diffuse[4], uint32_t shininess) {
    // OpenGL refuses a shininess above 128 and keeps the one before.
    const float kept = shininess <= 128 ? float(shininess) : state.shininess;
    if (std::memcmp(state.diffuse, diffuse, sizeof state.diffuse) != 0 || kept != state.shininess) {
        std::memcpy(state.diffuse, diffuse, sizeof state.diffuse);
        state.shininess = kept;
        bump(kMaterialGroup);
    }
    glVertexAttrib4fv(kColourAttribute, diffuse);
}

void setCurrentNormal(const Vec3& normal) {
    normalSet = normal;
    glVertexAttrib3f(kNormalAttribute, normal.x, normal.y, normal.z);
}

Vec3 currentNormal() { return normalSet; }

void setTexture(uint32_t texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    state.textured = texture != 0;
}

void setColourQuantised(bool quantised) { state.quantised = quantised; }

void setPoints(float size, bool round) {
    const float drawn = round ? size + 1.0f : size;
    if (drawn != state.pointSize) {
        state.pointSize = drawn;
        bump(kPointGroup);
    }
    state.round = round;
}
