#include "platform/pictures_folder.h"

#include <cstdlib>
#include <fstream>

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

}  // namespace

// $XDG_PICTURES_DIR/Vexar (the variable, or the player's user-dirs.dirs),
// else ~/.local/share/vexar/screenshots.
std::string screenshotFolder(std::string& reason) {
    const std::string home = environment("HOME");
    std::string pictures = environment("XDG_PICTURES_DIR");
    if (pictures.empty() && !home.empty()) pictures = picturesFromUserDirs(home);
    if (!pictures.empty()) return pictures + "/Vexar";
    if (!home.empty()) return home + "/.local/share/vexar/screenshots";
    reason = "neither XDG_PICTURES_DIR nor HOME is set";
    return "";
}
