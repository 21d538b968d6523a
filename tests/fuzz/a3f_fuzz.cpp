// The model reader on arbitrary text: it must refuse or accept without ever
// reading or writing outside its arrays, and an accepted model must be safe
// to split into shot arrays and to hit-test.
#include "model/a3f_reader.h"
#include "model/model_loading.h"
#include "model/motion.h"
#include "platform/error_box.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
void ignoreError(const char*, const char*) {}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setErrorSink(ignoreError);
    // Exactly the file and its NUL, so the sanitizer sees any read past them.
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0) std::memcpy(text.get(), data, size);
    text[size] = '\0';
    ShotObject shot;
    constructShotObject(shot);
    if (readA3fText(text.get(), size, "fuzz.a3f", shot.object)) {
        for (uint32_t f = 0; f < shot.object.faceCount; ++f)
            for (uint32_t index : shot.object.faces[f].index)
                if (index >= shot.object.vertexCount) std::abort();
        if (allocateShotArrays(shot)) splitVertexArrays(shot);
        float fraction = 0.0f;
        segmentHitsObject(shot.object, Vec3{-1.0f, 0.25f, 0.5f}, Vec3{2.0f, 0.25f, -0.5f}, fraction);
    }
    releaseShotArrays(shot);
    releaseModelArrays(shot.object);
    return 0;
}
