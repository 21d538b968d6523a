#include "check_picture.h"

#include "model/picture.h"
#include "platform/error_box.h"
#include "platform/media_path.h"

#include <cstdio>
#include <vector>

namespace {

void printPixel(const char* key, const std::vector<uint8_t>& pixels, size_t index) {
    if (pixels.empty()) {
        std::printf("%s: none\n", key);
        return;
    }
    const uint8_t* p = &pixels[index * 4];
    std::printf("%s: %u %u %u\n", key, p[0], p[1], p[2]);
}

}  // namespace

int checkPicture(const std::string& fileName, const CheckOptions&) {
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    std::string warning;
    if (!loadPicture(fileName.c_str(), pixels, width, height, &warning)) {
        // The game's own words for a picture it cannot use.
        reportError("Unable to load the texture file:", fileName.c_str(),
                    buildMediaPath(fileName.c_str()));
        return printResult(false);
    }
    std::printf("width: %d\nheight: %d\n", width, height);
    printPixel("first-pixel", pixels, 0);
    printPixel("last-pixel", pixels, pixels.size() / 4 - 1);
    // The reader's warning is on standard error already: the picture is not whole.
    return printResult(warning.empty());
}
