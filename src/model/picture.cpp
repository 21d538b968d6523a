#include "model/picture.h"

#include "model/tga_reader.h"
#include "platform/error_box.h"
#include "platform/whole_file.h"
#include "platform/media_path.h"
#include "platform/picture_decoders.h"

#include <string>
#include <strings.h>

PictureKind pictureKindOf(const std::string& name) {
    if (name.size() < 3) return PictureKind::None;
    const char* ending = name.c_str() + name.size() - 3;
    if (strcasecmp(ending, "BMP") == 0) return PictureKind::Bmp;
    if (strcasecmp(ending, "JPG") == 0) return PictureKind::Jpeg;
    if (strcasecmp(ending, "TGA") == 0) return PictureKind::Tga;
    return PictureKind::None;
}

bool decodePicture(PictureKind kind, const uint8_t* data, size_t size,
                   std::vector<uint8_t>& pixels, int& width, int& height, std::string* warning) {
    switch (kind) {
    case PictureKind::Bmp:
        return decodeBmp(data, size, pixels, width, height);
    case PictureKind::Jpeg:
        return decodeJpeg(data, size, pixels, width, height, warning);
    case PictureKind::Tga:
        return decodeTga(data, size, pixels, width, height);
    case PictureKind::None:
        break;
    }
    return false;
}

bool loadPicture(const char* fileName, std::vector<uint8_t>& pixels, int& width, int& height,
                 std::string* warning) {
    std::string path = buildMediaPath(fileName);
    PictureKind kind = pictureKindOf(path);
    std::vector<uint8_t> bytes;
    if (kind == PictureKind::None || !readWholeFile(path, bytes)) return false;
    std::string said;
    if (!decodePicture(kind, bytes.data(), bytes.size(), pixels, width, height, &said)) return false;
    // Used all the same, as it decoded; the player hears of the damage once.
    if (!said.empty()) reportFileError("The picture file is damaged:", path, said.c_str());
    if (warning) *warning = said;
    return true;
}
