// vexar-mediagen FOLDER: writes the game's whole media set into FOLDER.
// vexar-mediagen --icons FOLDER: writes the desktop icon in every size, as a
// hicolor theme tree, into FOLDER.
// The output depends on nothing but this program, so every build gives the
// same bytes.
#include <cstdio>
#include <string>
#include <filesystem>
#include <system_error>

#include "icon.h"
#include "media_set.h"

int main(int argc, char** argv) {
    bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: vexar-mediagen FOLDER | vexar-mediagen --icons FOLDER\n");
        return 2;
    }
    const char* folder = argv[argc - 1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "vexar-mediagen: cannot create %s: %s\n", folder,
                     error.message().c_str());
        return 1;
    }
    return (icons ? writeIcons(folder) : writeMediaSet(folder)) ? 0 : 1;
}
