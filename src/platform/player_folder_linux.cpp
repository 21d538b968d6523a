#include "platform/file_system.h"

#include <SDL.h>

#include <unistd.h>

bool folderAcceptsGameFiles(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

std::string perUserFolder() {
    std::string path;
    if (char* folder = SDL_GetPrefPath("", "vexar")) {
        path = folder;
        SDL_free(folder);
    }
    return path;
}

// A file renamed into place is on the disk already.
std::string keepPlayerFiles() { return ""; }
