#include "platform/media_path.h"

#include <SDL.h>

namespace {

std::string overrideFolder;

std::string executableFolder() {
    static std::string folder = [] {
        std::string result;
        if (char* base = SDL_GetBasePath()) {
            result = base;
            SDL_free(base);
        }
        return result;
    }();
    return folder;
}

}  // namespace

void setMediaFolder(const std::string& folder) { overrideFolder = folder; }

std::string mediaFolder() {
    if (!overrideFolder.empty()) return overrideFolder;
    return executableFolder() + "media";
}

std::string buildMediaPath(const char* fileName) {
    return mediaFolder() + "/" + (fileName ? fileName : "");
}
