#include "platform/media_path.h"

#include <SDL.h>

#include <cstring>

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

void toMediaPath(char* buffer, size_t size) {
    if (!buffer || size == 0) return;
    std::string name(buffer, strnlen(buffer, size));
    std::string path = buildMediaPath(name.c_str());
    size_t n = path.size() < size - 1 ? path.size() : size - 1;
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
}
