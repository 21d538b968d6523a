#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// No picture side may exceed this: one broken file must not cost gigabytes,
// and no OpenGL driver takes a larger texture anyway.
constexpr int kMaxPictureSide = 16384;

// Library picture decoders over a whole file held in memory. Each fills
// `pixels` with width x height pixels of four bytes, blue, green, red, 255,
// top row first, and returns false (leaving nothing behind) when the bytes
// cannot be decoded, or when the header claims a picture larger than
// kMaxPictureSide or larger than the file's bytes could hold; such claims are
// refused before the picture's buffer is made.
bool decodeBmp(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width,
               int& height);
// A JPEG that decodes with a warning (libjpeg's words, e.g. "Premature end of
// JPEG file": the rest of the picture is grey) is decoded; the first warning
// goes to `warning` when given, "" when there was none.
bool decodeJpeg(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width,
                int& height, std::string* warning = nullptr);
