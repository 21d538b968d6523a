#include "platform/whole_file.h"

#include "platform/file_system.h"

#include <cstdio>
#include <exception>

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = openFile(path, "rb");
    if (!file) return false;
    bool ok = true;
    try {
        // Read in chunks rather than trusting a size asked up front: the file
        // may be a pipe, or change while it is read.
        uint8_t chunk[65536];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        ok = !std::ferror(file);
    } catch (const std::exception&) {
        ok = false;  // larger than memory allows
    }
    std::fclose(file);
    if (!ok) bytes.clear();
    return ok;
}
