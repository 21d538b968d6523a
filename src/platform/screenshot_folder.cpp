#include "platform/screenshot_folder.h"

#include "platform/pictures_folder.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string newScreenshotPath(std::string& reason) {
    const std::string folder = screenshotFolder(reason);
    if (folder.empty()) return "";
    std::error_code error;
    fs::create_directories(fs::u8path(folder), error);
    if (error) {
        reason = folder + ": " + error.message();
        return "";
    }
    const std::time_t now = std::time(nullptr);
    // The main thread alone asks, so the C library's shared result will do
    // (and it is there on every system).
    const std::tm* local = std::localtime(&now);
    char stamp[32] = "unknown-time";
    if (local) std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", local);
    auto named = [&](const std::string& name) { return (fs::u8path(folder) / name).u8string(); };
    std::string path = named(std::string("vexar-") + stamp + ".png");
    for (int n = 2; fs::exists(fs::u8path(path), error); ++n)
        path = named(std::string("vexar-") + stamp + "-" + std::to_string(n) + ".png");
    return path;
}
