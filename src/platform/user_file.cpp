#include "platform/user_file.h"

#include "platform/file_system.h"
#include "platform/media_path.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A folder is writable when it, or the nearest part of its path that exists,
// is a directory the game may keep its files in.
bool folderWritable(const std::string& name) {
    fs::path folder = fs::u8path(name);
    std::error_code error;
    while (!folder.empty() && !fs::exists(folder, error)) {
        fs::path parent = folder.parent_path();
        if (parent == folder) break;
        folder = parent;
    }
    if (folder.empty()) folder = ".";
    return fs::is_directory(folder, error) && folderAcceptsGameFiles(folder.u8string());
}

std::string perUserPath(const char* name) {
    // No per-user folder either: an empty path, which reads as no file and
    // cannot be written.
    std::string folder = perUserFolder();
    return folder.empty() ? folder : folder + name;
}

}  // namespace

std::string perUserFolder() {
    std::string path;
    if (char* folder = SDL_GetPrefPath("", kPerUserFolderName)) {
        path = folder;
        SDL_free(folder);
    }
    return path;
}

std::string userFilePathForReading(const char* name) {
    std::string mediaPath = buildMediaPath(name);
    if (folderWritable(mediaFolder())) return mediaPath;
    std::string own = perUserPath(name);
    std::error_code error;
    return fs::exists(fs::u8path(own), error) ? own : mediaPath;
}

std::string userFilePathForWriting(const char* name) {
    std::error_code error;
    if (folderWritable(mediaFolder())) {
        fs::create_directories(fs::u8path(mediaFolder()), error);
        if (!error) return buildMediaPath(name);
    }
    return perUserPath(name);
}
