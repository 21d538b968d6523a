// The TGA reader on arbitrary bytes: a picture it accepts is complete and
// of the size its header gives; nothing is read or written outside the file
// or the picture.
#include "model/tga_reader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    if (decodeTga(data, size, pixels, width, height) &&
        pixels.size() != size_t(width) * size_t(height) * 4)
        std::abort();
    return 0;
}
