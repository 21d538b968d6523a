#include "platform/output_file.h"

#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

struct OutputFile {
    std::FILE* stream = nullptr;
};

OutputFile* openOutputFile(const std::string& path, std::string& reason) {
    errno = 0;
    std::FILE* stream = openFile(path, "wb");
    if (!stream) {
        reason = std::strerror(errno);
        return nullptr;
    }
    return new OutputFile{stream};
}

std::string writeOutputFile(OutputFile* file, const std::string& text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), file->stream) == text.size();
    if (written && std::fflush(file->stream) == 0) return "";
    return errno != 0 ? std::strerror(errno) : "the write was cut short";
}

void discardOutputFile(OutputFile* file, const std::string& path) {
    closeOutputFile(file);
    std::error_code error;
    std::filesystem::remove(std::filesystem::u8path(path), error);
}

std::string closeOutputFile(OutputFile* file) {
    errno = 0;
    const bool closed = std::fclose(file->stream) == 0;
    delete file;
    if (closed) return "";
    return errno != 0 ? std::strerror(errno) : "the file could not be closed";
}
