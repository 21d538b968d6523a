// The BMP reader of the picture loader (SDL behind a header check).
#include "picture_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzPicture(PictureKind::Bmp, data, size);
}
