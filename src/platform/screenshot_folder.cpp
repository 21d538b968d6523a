#include "platform/screenshot_folder.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The XDG_PICTURES_DIR line of user-dirs.dirs: XDG_PICTURES_DIR="$HOME/Pictures".
std::string picturesFromUserDirs(const std::string& home) {
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty()) config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    const std::string key = "XDG_PICTURES_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
        return value;
    }
    return "";
}

std::string screenshotFolder(std::string& reason) {
    const std::string home = environment("HOME");
    std::string pictures = environment("XDG_PICTURES_DIR");
    if (pictures.empty() && !home.empty()) pictures = picturesFromUserDirs(home);
    if (!pictures.empty()) return pictures + "/Vexar";
    if (!home.empty()) return home + "/.local/share/vexar/screenshots";
    reason = "neither XDG_PICTURES_DIR nor HOME is set";
    return "";
}

}  // namespace

std::string newScreenshotPath(std::string& reason) {
    const std::string folder = screenshotFolder(reason);
    if (folder.empty()) return "";
    std::error_code error;
    fs::create_directories(folder, error);
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
    std::string path = folder + "/vexar-" + stamp + ".png";
    for (int n = 2; fs::exists(path, error); ++n)
        path = folder + "/vexar-" + stamp + "-" + std::to_string(n) + ".png";
    return path;
}
