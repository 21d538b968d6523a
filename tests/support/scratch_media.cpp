#include "support/scratch_media.h"

#include "platform/media_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchMedia::ScratchMedia() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
    folder = std::string(VEXAR_BINARY_DIR) + "/test-media/" + name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    setMediaFolder(folder);
}

ScratchMedia::~ScratchMedia() { setMediaFolder(""); }

// Joined with the system's separator, as the game joins media paths.
std::string ScratchMedia::path(const std::string& name) const {
    return (fs::u8path(folder) / fs::u8path(name)).u8string();
}

void ScratchMedia::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(fs::u8path(path(name)), std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string readFileText(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
