#include "model/picture.h"

#include "model/tga_reader.h"
#include "platform/whole_file.h"
#include "platform/media_path.h"
#include "platform/picture_decoders.h"

#include <string>
#include <strings.h>

namespace {

enum class PictureKind { None, Bmp, Jpeg, Tga };

PictureKind kindOf(const std::string& path) {
    if (path.size() < 3) return PictureKind::None;
    const char* ending = path.c_str() + path.size() - 3;
    if (strcasecmp(ending, "BMP") == 0) return PictureKind::Bmp;
    if (strcasecmp(ending, "JPG") == 0) return PictureKind::Jpeg;
    if (strcasecmp(ending, "TGA") == 0) return PictureKind::Tga;
    return PictureKind::None;
}

bool loadTgaFile(const char* path, std::vector<uint8_t>& pixels, int& width, int& height) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return false;
    return decodeTga(bytes.data(), bytes.size(), pixels, width, height);
}

}  // namespace

bool loadPicture(const char* fileName, std::vector<uint8_t>& pixels, int& width, int& height) {
    std::string path = buildMediaPath(fileName);
    switch (kindOf(path)) {
    case PictureKind::Bmp:
        return decodeBmpFile(path.c_str(), pixels, width, height);
    case PictureKind::Jpeg:
        return decodeJpegFile(path.c_str(), pixels, width, height);
    case PictureKind::Tga:
        return loadTgaFile(path.c_str(), pixels, width, height);
    case PictureKind::None:
        break;
    }
    return false;
}
