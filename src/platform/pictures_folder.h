#pragma once
#include <string>

// The folder the game's screenshots go into, which each system names its own
// way (pictures_folder_xdg.cpp, pictures_folder_windows.cpp); "" with the
// reason when there is none.
std::string screenshotFolder(std::string& reason);
