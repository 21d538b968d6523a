#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads a BMP, JPEG or TGA picture from the media folder, chosen by the last
// three characters of the name ignoring case ("jpeg" and names without an
// ending are none of them). On success `pixels` holds width x height pixels of
// blue, green, red, alpha bytes, top row first (a TGA with a zero descriptor
// comes out turned by 180 degrees); alpha is 255 unless a 32-bit TGA gives it.
// Returns false when there is no picture, also when the header claims more
// than the file can hold or a side beyond kMaxPictureSide
// (platform/picture_decoders.h). A picture that decodes with a warning (a
// JPEG cut short) is loaded, and the warning reported with the error box,
// naming the file; `warning`, when given, gets it too ("" for none). Needs no
// OpenGL context.
bool loadPicture(const char* fileName, std::vector<uint8_t>& pixels, int& width, int& height,
                 std::string* warning = nullptr);

enum class PictureKind { None, Bmp, Jpeg, Tga };

// The reader a name's ending selects.
PictureKind pictureKindOf(const std::string& name);

// The reader of that kind over a whole file held in memory.
bool decodePicture(PictureKind kind, const uint8_t* data, size_t size,
                   std::vector<uint8_t>& pixels, int& width, int& height,
                   std::string* warning = nullptr);
