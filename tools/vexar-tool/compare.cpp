#include "compare.h"

#include "tool_help.h"

#include "platform/png_file.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char kUsage[] =
    "usage: vexar-tool compare A.png B.png\n"
    "Prints how far two pictures of the same size differ: the share of pixels\n"
    "with a red, green or blue level more than 16 apart, and the mean difference\n"
    "of those levels over the whole picture.\n"
    "  --help              this text\n";

constexpr int kFarApart = 16;

struct Picture {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
};

bool readPicture(const char* path, Picture& picture) {
    if (readPngFile(path, picture.rgba, picture.width, picture.height)) return true;
    std::fprintf(stderr, "compare: %s: not a PNG picture that can be read\n", path);
    return false;
}

}  // namespace

int runCompare(int argc, char** argv) {
    if (printHelpIfAsked(argc, argv, kUsage)) return 0;
    if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Picture a, b;
    if (!readPicture(argv[2], a) || !readPicture(argv[3], b)) return 1;
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "compare: the sizes differ: %dx%d and %dx%d\n", a.width, a.height,
                     b.width, b.height);
        return 1;
    }
    const size_t pixels = size_t(a.width) * size_t(a.height);
    size_t farApart = 0;
    double difference = 0.0;
    for (size_t p = 0; p < pixels; ++p) {
        int largest = 0;
        for (size_t c = 0; c < 3; ++c) {
            int d = std::abs(int(a.rgba[p * 4 + c]) - int(b.rgba[p * 4 + c]));
            difference += d;
            if (d > largest) largest = d;
        }
        if (largest > kFarApart) ++farApart;
    }
    std::printf("pixels differing by more than %d levels: %.3f %%\n", kFarApart,
                100.0 * double(farApart) / double(pixels));
    std::printf("mean difference: %.3f levels\n", difference / (3.0 * double(pixels)));
    return 0;
}
