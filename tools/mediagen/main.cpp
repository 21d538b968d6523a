// vexar-mediagen FOLDER: writes the game's whole media set into FOLDER.
// The output depends on nothing but this program, so every build gives the
// same bytes.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "media_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vexar-mediagen FOLDER\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "vexar-mediagen: cannot create %s: %s\n", argv[1],
                     error.message().c_str());
        return 1;
    }
    return writeMediaSet(argv[1]) ? 0 : 1;
}
