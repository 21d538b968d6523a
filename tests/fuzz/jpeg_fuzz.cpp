// The JPEG reader of the picture loader (libjpeg-turbo behind a size check).
#include "picture_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzPicture(PictureKind::Jpeg, data, size);
}
