#include "platform/file_system.h"

#include "platform/save_steps.h"

#include <SDL.h>

#include <unistd.h>

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool replaceFileContents(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".tmp";
    reachSaveStep(kSaveStarting);
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return false;
    reachSaveStep(kSaveTemporaryMade);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    written = std::fflush(out) == 0 && written;
    reachSaveStep(kSaveWritten);
    written = fsync(fileno(out)) == 0 && written;
    reachSaveStep(kSaveFlushed);
    written = std::fclose(out) == 0 && written;
    reachSaveStep(kSaveClosed);
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) {
        reachSaveStep(kSaveReplaced);
        return true;
    }
    std::remove(temporary.c_str());
    return false;
}

bool folderAcceptsGameFiles(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

std::string perUserFolder() {
    std::string path;
    if (char* folder = SDL_GetPrefPath("", "vexar")) {
        path = folder;
        SDL_free(folder);
    }
    return path;
}
