#include "platform/pictures_folder.h"

#include "platform/file_system.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>

// The player's Pictures folder, Pictures\Vexar, as Windows names it for this
// account (it may have been moved, or be in another language); else the
// game's own folder in %APPDATA%.
std::string screenshotFolder(std::string& reason) {
    wchar_t pictures[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures) == S_OK)
        return (std::filesystem::path(pictures) / L"Vexar").u8string();
    std::string own = perUserFolder();
    if (!own.empty()) return own + "screenshots";
    reason = "Windows names no Pictures folder for this account";
    return "";
}
