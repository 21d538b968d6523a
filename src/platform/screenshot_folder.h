#pragma once
#include <string>

// Where the next screenshot goes: on Linux $XDG_PICTURES_DIR/Vexar/ (the
// variable, or the player's ~/.config/user-dirs.dirs), else
// ~/.local/share/vexar/screenshots/; on Windows Pictures\Vexar\. The folder
// is made when missing. The name is the local date and time, with -2, -3 ...
// for more in one second.
// "" with the reason when there is no folder to write into.
std::string newScreenshotPath(std::string& reason);
