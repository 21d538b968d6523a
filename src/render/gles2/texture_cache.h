#pragma once
#include <cstdint>

// Textures made from picture files, one per distinct file name (compared
// case-sensitively), with an alpha channel by the model's alpha rule. In
// the low texture quality their colours are cut to the bits OpenGL 1.1's
// small formats keep (3-3-2, and 2 bits a channel with alpha), so both
// renderers show the same texels. All functions need the context current.

// The texture for the picture file, made the first time the name is asked
// for; 0 (after the error box) when the picture cannot be read or the cache
// is full.
uint32_t loadTexture(const char* fileName, int32_t alphaMode, float alphaValue);

// Builds a 2 x 2 box-filtered mipmap chain from the texture's own pixels,
// kept for it; false (and nothing done) without high-quality textures, for
// an unknown texture or when width + height is below 128.
bool buildMipmaps(uint32_t textureId);

void resetTextureCache(bool highQuality);

// A channel cut to `bits` bits by rounding and widened back, as the driver
// stores it in a small format and samples it.
uint8_t cutTo(uint8_t value, int bits);
void releaseTextureCache();
