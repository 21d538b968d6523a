// Where game.ini lives on Windows: beside the game (in its media folder)
// unpacked from the zip, in %APPDATA%\Vexar for an install under Program Files.
#include "app/settings.h"
#include "platform/file_system.h"
#include "platform/media_path.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

GameSettings chosen() {
    GameSettings s;
    s.music = 1;
    s.width = 1024;
    s.height = 800;
    s.useScreenRes = 2;
    return s;
}

TEST(WindowsSettings, AnUnpackedGameKeepsItsSettingsInItsMediaFolder) {
    ScratchMedia media;
    saveSettings(chosen());
    EXPECT_TRUE(fs::exists(media.path("game.ini")));
}

TEST(WindowsSettings, AGameUnderProgramFilesKeepsThemInAppData) {
    wchar_t programs[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programs),
              S_OK);
    fs::path installed = fs::path(programs) / L"Vexar settings test";
    fs::create_directories(installed / L"media");
    std::string own = perUserFolder() + "game.ini";
    fs::remove(fs::u8path(own));
    setMediaFolder((installed / L"media").u8string());

    saveSettings(chosen());
    EXPECT_FALSE(fs::exists(installed / L"media" / L"game.ini"));
    ASSERT_TRUE(fs::exists(fs::u8path(own)));
    GameSettings loaded;
    loadSettings(loaded);
    EXPECT_EQ(loaded.music, 1);
    EXPECT_EQ(loaded.width, 1024);
    EXPECT_EQ(loaded.useScreenRes, 2);

    setMediaFolder("");
    fs::remove(fs::u8path(own));
    fs::remove_all(installed);
}

}  // namespace
