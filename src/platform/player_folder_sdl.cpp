#include "platform/file_system.h"

#include <SDL.h>

// On the desktop the player's folder is SDL's own choice for the system.
std::string perUserFolder() {
    std::string path;
    if (char* folder = SDL_GetPrefPath("", kPerUserFolderName)) {
        path = folder;
        SDL_free(folder);
    }
    return path;
}
