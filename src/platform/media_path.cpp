#include "platform/media_path.h"

#include <SDL.h>

#include <filesystem>
#include <strings.h>
#include <system_error>

namespace fs = std::filesystem;

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

// The name in `folder` equal to `name` but for case, or "" when there is none.
// Case is folded for ASCII letters only, as the game's names are.
std::string nameDifferingInCase(const fs::path& folder, const std::string& name) {
    std::string found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().u8string();
        if (candidate.size() == name.size() && strcasecmp(candidate.c_str(), name.c_str()) == 0 &&
            (found.empty() || candidate < found))
            found = candidate;
    }
    return found;
}

}  // namespace

void setMediaFolder(const std::string& folder) { overrideFolder = folder; }

std::string mediaFolder() {
    if (!overrideFolder.empty()) return overrideFolder;
    return executableFolder() + "media";
}

std::string buildMediaPath(const char* fileName) {
    // The system's own separator, so that paths in messages look like the
    // player's other paths.
    fs::path path = fs::u8path(mediaFolder()) / fs::u8path(fileName ? fileName : "");
    std::string exact = path.u8string();
    std::error_code error;
    if (fs::exists(path, error)) return exact;
    std::string leaf = path.filename().u8string();
    if (leaf.empty()) return exact;
    std::string other = nameDifferingInCase(path.parent_path(), leaf);
    return other.empty() ? exact : (path.parent_path() / fs::u8path(other)).u8string();
}
