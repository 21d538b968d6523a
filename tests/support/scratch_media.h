#pragma once
#include <string>

// A fresh, empty media folder under the build tree; the readers look there
// while it lives. Tests write the files they need into it.
struct ScratchMedia {
    ScratchMedia();
    ~ScratchMedia();
    ScratchMedia(const ScratchMedia&) = delete;
    ScratchMedia& operator=(const ScratchMedia&) = delete;

    std::string path(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;

    std::string folder;
};

// The whole content of a file ("" when it cannot be read).
std::string readFileText(const std::string& path);
