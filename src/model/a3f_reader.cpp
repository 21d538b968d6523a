#include "model/a3f_reader.h"

#include "model/a3f_tokens.h"
#include "platform/error_box.h"
#include "platform/whole_file.h"
#include "platform/media_path.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr float kBoundsStart = 100000.0f;

struct VertexFormat {
    const char* token;
    bool normals;
    bool texCoords;
    unsigned numbers;  // per vertex record
};

constexpr VertexFormat kVertexFormats[] = {
    {"POSITION_NORMAL_TEXCOORDS", true, true, 8},
    {"POSITION_TEXCOORDS", false, true, 5},
    {"POSITION_NORMAL", true, false, 6},
};

// The ALPHA tokens in AlphaMode order; any other token is a number.
constexpr const char* kAlphaTokens[] = {"NONE",      "LUMINANCE",  "ILLUMINANCE", "BLACK_MASK",
                                        "RED",       "GREEN",      "BLUE",        "RED_MASK",
                                        "GREEN_MASK", "BLUE_MASK"};

// Parsing state. A handler returns false to stop: either `message` is set (a
// failure) or `ended` is (the file ended where the format allows it).
struct A3fParse {
    A3fCursor cursor;
    SceneObject& object;
    const char* message = nullptr;
    std::string subject = {};
    // A failure of the game's own: reported with `subject` as it stands.
    // Otherwise `subject` is the reason a hardened reader refused the file.
    bool ownMessage = false;
    bool ended = false;
    bool sawVertices = false;
    bool sawFaces = false;

    bool fail(const char* failureMessage, std::string failureSubject) {
        message = failureMessage;
        subject = std::move(failureSubject);
        ownMessage = true;
        return false;
    }
    // What the hardened reader refuses: counts beyond the data, overruns, ...
    bool bad(const char* reason) {
        message = "Bad model:";
        subject = reason;
        ownMessage = false;
        return false;
    }
    bool check(ReadStatus status) {
        switch (status) {
        case ReadStatus::Ok:
            return true;
        case ReadStatus::End:
            return bad("unexpected end of file");
        case ReadStatus::TooLong:
            return bad("token too long");
        case ReadStatus::NotANumber:
            break;
        }
        return bad("unreadable number");
    }
    size_t remaining() const { return size_t(cursor.end - cursor.pos); }
};

// A token where the file may end (before a section name, a material or
// texture keyword); the end stops parsing without a failure.
bool readTokenOrEnd(A3fParse& p, std::string_view& token) {
    ReadStatus status = readToken(p.cursor, token);
    if (status == ReadStatus::End) {
        p.ended = true;
        return false;
    }
    return p.check(status);
}

// The closing token of VERTICES and FACES, whatever it is; the file may end instead.
bool skipClosingToken(A3fParse& p) {
    std::string_view token;
    ReadStatus status = readToken(p.cursor, token);
    return status == ReadStatus::End || p.check(status);
}

bool readReals(A3fParse& p, float* values, int count) {
    for (int i = 0; i < count; ++i)
        if (!p.check(readReal(p.cursor, values[i]))) return false;
    return true;
}

bool readVec3(A3fParse& p, Vec3& v) {
    float values[3];
    if (!readReals(p, values, 3)) return false;
    v = {values[0], values[1], values[2]};
    return true;
}

bool readName(A3fParse& p, char* field) {
    std::string_view token;
    if (!p.check(readToken(p.cursor, token))) return false;
    std::memcpy(field, token.data(), token.size());
    field[token.size()] = '\0';
    return true;
}

const VertexFormat* findVertexFormat(std::string_view token) {
    for (const auto& format : kVertexFormats)
        if (token == format.token) return &format;
    return nullptr;
}

void widenBounds(Vec3& lo, Vec3& hi, Vec3 p) {
    if (p.x < lo.x) lo.x = p.x;
    if (p.y < lo.y) lo.y = p.y;
    if (p.z < lo.z) lo.z = p.z;
    if (p.x > hi.x) hi.x = p.x;
    if (p.y > hi.y) hi.y = p.y;
    if (p.z > hi.z) hi.z = p.z;
}

// A planar projection from the bounds: u along x, v along y or z, whichever
// is the wider (z on a tie). Nothing is generated when the x extent is zero.
bool generateTexCoords(A3fParse& p) {
    SceneObject& o = p.object;
    Vec3 extent = o.boundsMax - o.boundsMin;
    if (extent.x == 0.0f) return true;
    if (extent.y == 0.0f && extent.z == 0.0f) return p.fail("Bad model:", "1 dimensional");
    bool alongY = extent.y > extent.z;
    for (uint32_t i = 0; i < o.vertexCount; ++i) {
        ModelVertex& v = o.vertices[i];
        v.u = (v.position.x - o.boundsMin.x) / extent.x;
        v.v = alongY ? (v.position.y - o.boundsMin.y) / extent.y
                     : (v.position.z - o.boundsMin.z) / extent.z;
    }
    return true;
}

bool parseVertices(A3fParse& p) {
    SceneObject& o = p.object;
    o.hasNormals = false;
    std::string_view token;
    if (!p.check(readToken(p.cursor, token))) return false;
    const VertexFormat* format = findVertexFormat(token);
    if (!format) return p.fail("Bad vertex format:", std::string(token));
    o.hasNormals = format->normals;
    uint32_t count = 0;
    if (!p.check(readUnsigned(p.cursor, count))) return false;
    // Every number takes at least one character of the file.
    if (uint64_t(count) * format->numbers > p.remaining()) return p.bad("vertex count too large");
    auto* vertices = new (std::nothrow) ModelVertex[count]();
    if (!vertices) return p.bad("vertex count too large");
    delete[] o.vertices;
    o.vertices = vertices;
    o.vertexCount = count;
    Vec3 lo{kBoundsStart, kBoundsStart, kBoundsStart}, hi = -lo;
    for (uint32_t i = 0; i < count; ++i) {
        ModelVertex& v = vertices[i];
        if (!readVec3(p, v.position)) return false;
        widenBounds(lo, hi, v.position);
        if (format->normals && !readVec3(p, v.normal)) return false;
        float uv[2];
        if (format->texCoords) {
            if (!readReals(p, uv, 2)) return false;
            v.u = uv[0];
            v.v = uv[1];
        }
    }
    o.boundsMin = lo;
    o.boundsMax = hi;
    if (!format->texCoords && !generateTexCoords(p)) return false;
    p.sawVertices = true;
    return skipClosingToken(p);
}

bool parseFaces(A3fParse& p) {
    SceneObject& o = p.object;
    uint32_t count = 0;
    if (!p.check(readUnsigned(p.cursor, count))) return false;
    if (uint64_t(count) * 4 > p.remaining()) return p.bad("face count too large");
    auto* faces = new (std::nothrow) ModelFace[count]();
    if (!faces) return p.bad("face count too large");
    delete[] o.faces;
    o.faces = faces;
    o.faceCount = count;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t ignored = 0;
        for (uint32_t& index : faces[i].index)
            if (!p.check(readUnsigned(p.cursor, index))) return false;
        if (!p.check(readUnsigned(p.cursor, ignored))) return false;
    }
    p.sawFaces = true;
    return skipClosingToken(p);
}

void setAlphaMode(SceneObject& o, std::string_view token) {
    for (int mode = kAlphaNone; mode < kAlphaNumeric; ++mode) {
        if (token == kAlphaTokens[mode]) {
            o.alphaMode = mode;
            return;
        }
    }
    o.alphaMode = kAlphaNumeric;
    // Read as a double and then narrowed, so a decimal near a float midpoint
    // rounds twice; a token that is no number gives 0.
    o.alphaValue = float(std::atof(std::string(token).c_str()));
}

// The texture block: an opening token (not checked), FILE and ALPHA entries, "}".
bool parseTexture(A3fParse& p) {
    std::string_view token;
    if (!readTokenOrEnd(p, token)) return false;
    while (readTokenOrEnd(p, token)) {
        if (token == "}") return true;
        if (token == "FILE") {
            if (!readName(p, p.object.textureFile)) return false;
        } else if (token == "ALPHA") {
            std::string_view mode;
            if (!p.check(readToken(p.cursor, mode))) return false;
            setAlphaMode(p.object, mode);
        }
    }
    return false;
}

// The entries of one material block after its opening token, up to its "}".
bool parseMaterialEntries(A3fParse& p) {
    SceneObject& o = p.object;
    std::string_view token;
    while (readTokenOrEnd(p, token)) {
        bool ok = true;
        if (token == "}") return true;
        if (token == "NAME") ok = readName(p, o.materialName);
        else if (token == "AMBIENT") ok = readReals(p, o.ambient, 4);
        else if (token == "DIFFUSE") ok = readReals(p, o.diffuse, 4);
        else if (token == "SPECULAR") ok = readReals(p, o.specular, 4);
        else if (token == "EMISSION") ok = readReals(p, o.emission, 4);
        else if (token == "SHININESS") ok = p.check(readUnsigned(p.cursor, o.shininess));
        else if (token == "TEXTURE") ok = parseTexture(p);
        if (!ok) return false;
    }
    return false;
}

// Every material writes into the same fields, so the last one's values stand;
// only the texture file is forgotten at the start of each.
bool parseMaterials(A3fParse& p) {
    uint32_t count = 0;
    if (!p.check(readUnsigned(p.cursor, count))) return false;
    for (uint32_t i = 0; i < count; ++i) {
        p.object.textureFile[0] = '\0';
        std::string_view opening;
        if (!p.check(readToken(p.cursor, opening))) return false;
        if (opening != "}" && !parseMaterialEntries(p)) return false;
    }
    return true;
}

bool skipComment(A3fParse& p) {
    std::string_view token;
    while (readTokenOrEnd(p, token))
        if (token == "}") return true;
    return false;
}

bool parseSection(A3fParse& p, std::string_view name) {
    if (name == "VERSION") {
        float version = 0.0f;
        if (!p.check(readReal(p.cursor, version))) return false;
        skipOptional(p.cursor, '}');
        return true;
    }
    if (name == "COMMENT") return skipComment(p);
    if (name == "VERTICES") return parseVertices(p);
    if (name == "FACES") return parseFaces(p);
    if (name == "MATERIALS") return parseMaterials(p);
    return true;  // stray tokens, such as the closing "}" of MATERIALS
}

// Faces that point past the vertex array are dropped so nothing ever reads
// outside it; true when there were any.
bool dropFacesOutOfRange(SceneObject& o) {
    for (uint32_t i = 0; i < o.faceCount; ++i) {
        for (uint32_t index : o.faces[i].index) {
            if (index >= o.vertexCount) {
                delete[] o.faces;
                o.faces = nullptr;
                o.faceCount = 0;
                return true;
            }
        }
    }
    return false;
}

bool finishModel(A3fParse& p, const char* fileName) {
    if (!p.sawVertices) return p.fail("Failed to find section VERTICES:", fileName);
    if (!p.sawFaces) return p.fail("Failed to find section FACES:", fileName);
    if (dropFacesOutOfRange(p.object)) return p.bad("face index out of range");
    return true;
}

}  // namespace

bool readA3fText(const char* text, size_t size, const char* fileName, SceneObject& object,
                 const char* path) {
    const std::string filePath = path ? path : fileName;
    A3fParse p{{text, text + size}, object};
    std::string_view token;
    if (readToken(p.cursor, token) != ReadStatus::Ok || token != "A3F") {
        reportError("Not an .a3f file:", fileName, filePath);
        return false;
    }
    while (readTokenOrEnd(p, token)) {
        skipOptional(p.cursor, '{');
        if (!parseSection(p, token)) break;
    }
    if (p.message || !finishModel(p, fileName)) {
        dropFacesOutOfRange(object);
        if (p.ownMessage)
            reportError(p.message, p.subject.c_str(), filePath);
        else
            reportFileError(p.message, filePath, p.subject.c_str());
        return false;
    }
    object.matrix = identityMatrix();
    object.trackPosition = Vec3{};
    object.side = 1;
    return true;
}

bool readA3fFile(const char* fileName, SceneObject& object) {
    object.alphaMode = kAlphaNone;
    std::string path = buildMediaPath(fileName);
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        reportError("Could not open file:", path.c_str());
        return false;
    }
    bytes.push_back(0);  // the strtof fallback of the tokenizer stops on it
    const char* text = reinterpret_cast<const char*>(bytes.data());
    return readA3fText(text, bytes.size() - 1, fileName, object, path.c_str());
}
