#include "platform/user_file.h"

#include "platform/media_path.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A folder is writable when it, or the nearest part of its path that exists,
// is a directory we may write to.
bool folderWritable(fs::path folder) {
    std::error_code error;
    while (!folder.empty() && !fs::exists(folder, error)) {
        fs::path parent = folder.parent_path();
        if (parent == folder) break;
        folder = parent;
    }
    if (folder.empty()) folder = ".";
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK) == 0;
}

std::string perUserPath(const char* name) {
    // No per-user folder either: an empty path, which reads as no file and
    // cannot be written.
    std::string path;
    if (char* folder = SDL_GetPrefPath("", "vexar")) {
        path = std::string(folder) + name;
        SDL_free(folder);
    }
    return path;
}

}  // namespace

std::string userFilePathForReading(const char* name) {
    std::string mediaPath = buildMediaPath(name);
    if (folderWritable(mediaFolder())) return mediaPath;
    std::string own = perUserPath(name);
    std::error_code error;
    return fs::exists(own, error) ? own : mediaPath;
}

std::string userFilePathForWriting(const char* name) {
    std::error_code error;
    if (folderWritable(mediaFolder())) {
        fs::create_directories(mediaFolder(), error);
        if (!error) return buildMediaPath(name);
    }
    return perUserPath(name);
}
