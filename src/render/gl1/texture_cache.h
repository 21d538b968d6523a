#pragma once
#include <cstdint>

// OpenGL textures made from picture files, one per distinct file name
// (compared case-sensitively), with an alpha channel by the model's alpha
// rule. All functions need the game's OpenGL context current.

// The OpenGL texture for the picture file, made with the given alpha rule the
// first time the name is asked for; 0 (after the error box) when the picture
// cannot be read or the cache is full. Later requests for a name that failed
// return 0 without a second report until a new texture takes its slot.
uint32_t loadTexture(const char* fileName, int32_t alphaMode, float alphaValue);

// Builds a 2 x 2 box-filtered mipmap chain for a cached texture; false (and
// nothing done) without high-quality textures, for an unknown texture or when
// width + height is below 128.
bool buildMipmaps(uint32_t textureId);

// Empties the cache and sets whether textures use full-precision formats.
void resetTextureCache(bool highQuality);
// Deletes every cached texture.
void releaseTextureCache();
