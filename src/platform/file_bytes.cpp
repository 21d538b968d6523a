#include "platform/file_bytes.h"

#include <cstdio>
#include <exception>

bool readFileBytes(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    bool ok = false;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
        try {
            bytes.resize(size_t(size));
            ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        } catch (const std::exception&) {
            ok = false;
        }
    }
    std::fclose(file);
    return ok;
}
