#include "platform/file_system.h"

#include "platform/save_steps.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::string replaceFileContents(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".tmp";
    reachSaveStep(kSaveStarting);
    errno = 0;
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return std::strerror(errno);
    reachSaveStep(kSaveTemporaryMade);
    // The first failure is the one worth telling.
    int failure = 0;
    auto note = [&](bool ok) {
        if (!ok && failure == 0) failure = errno != 0 ? errno : EIO;
    };
    note(std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size());
    note(std::fflush(out) == 0);
    reachSaveStep(kSaveWritten);
    note(fsync(fileno(out)) == 0);
    reachSaveStep(kSaveFlushed);
    note(std::fclose(out) == 0);
    reachSaveStep(kSaveClosed);
    if (failure == 0) note(std::rename(temporary.c_str(), path.c_str()) == 0);
    if (failure == 0) {
        reachSaveStep(kSaveReplaced);
        return "";
    }
    std::remove(temporary.c_str());
    return std::strerror(failure);
}

std::string moveFileOver(const std::string& from, const std::string& to) {
    errno = 0;
    return std::rename(from.c_str(), to.c_str()) == 0 ? "" : std::strerror(errno);
}

bool folderAcceptsGameFiles(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

// Lower case, as Linux programs name their folders.
const char kPerUserFolderName[] = "vexar";
