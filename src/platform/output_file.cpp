#include "platform/output_file.h"

#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

struct OutputFile {
    std::FILE* stream = nullptr;
    std::string path, temporary;
};

namespace {

std::string closeStream(OutputFile* file) {
    errno = 0;
    const bool closed = std::fclose(file->stream) == 0;
    file->stream = nullptr;
    if (closed) return "";
    return errno != 0 ? std::strerror(errno) : "the file could not be closed";
}

}  // namespace

OutputFile* openOutputFile(const std::string& path, std::string& reason) {
    const std::string temporary = path + kTemporarySuffix;
    errno = 0;
    std::FILE* stream = openFile(temporary, "wb");
    if (!stream) {
        reason = std::strerror(errno);
        return nullptr;
    }
    return new OutputFile{stream, path, temporary};
}

std::string writeOutputFile(OutputFile* file, const std::string& text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), file->stream) == text.size();
    if (written && std::fflush(file->stream) == 0) return "";
    return errno != 0 ? std::strerror(errno) : "the write was cut short";
}

std::string finishOutputFile(OutputFile* file) {
    std::string reason = closeStream(file);
    if (reason.empty()) reason = moveFileOver(file->temporary, file->path);
    delete file;
    return reason;
}

void closeOutputFile(OutputFile* file) {
    closeStream(file);
    delete file;
}

void discardOutputFile(OutputFile* file) {
    closeStream(file);
    std::error_code error;
    std::filesystem::remove(std::filesystem::u8path(file->temporary), error);
    delete file;
}
