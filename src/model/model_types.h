#pragma once
#include "math/vec3.h"

#include <cstdint>

// One vertex as the model file gives it: position, normal, texture coordinate.
struct ModelVertex {
    Vec3 position;
    Vec3 normal;
    float u = 0.0f, v = 0.0f;
};

static_assert(sizeof(ModelVertex) == 8 * sizeof(float), "vertices are eight packed floats");

// One triangle: three zero-based indices into the vertex array,
// counter-clockwise as seen from the visible side.
struct ModelFace {
    uint32_t index[3] = {0, 0, 0};
};
// Drawn straight from the face array with glDrawElements.
static_assert(sizeof(ModelFace) == 3 * sizeof(uint32_t), "faces are three packed indices");

// The texture's alpha rule, chosen by the token after ALPHA in a model file.
// The names are those tokens; several of them do not mean what they say.
enum AlphaMode : int32_t {
    kAlphaNone = 0,
    kAlphaLuminance = 1,
    kAlphaIlluminance = 2,
    kAlphaBlackMask = 3,
    kAlphaRed = 4,        // white texels transparent
    kAlphaGreen = 5,      // texels of the first pixel's colour transparent
    kAlphaBlue = 6,       // the picture's own alpha
    kAlphaRedMask = 7,    // every texel gets the model's alphaValue
    kAlphaGreenMask = 8,  // the picture's own alpha
    kAlphaBlueMask = 9,   // the picture's own alpha
    kAlphaNumeric = 10,   // the picture's own alpha; the number went into alphaValue
};
