// The Windows file system under the game: UTF-8 paths opened through the
// wide-character calls, the atomic save with MoveFileExW, and whether a
// folder takes the game's files.
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/media_path.h"
#include "platform/whole_file.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string utf8(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string result(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

std::string knownFolder(int which) {
    wchar_t path[MAX_PATH];
    if (SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return "";
    return utf8(path);
}

std::string contents(const std::string& path) {
    std::vector<uint8_t> bytes;
    return readWholeFile(path, bytes) ? std::string(bytes.begin(), bytes.end()) : "<missing>";
}

// A player called Zoë: her folders' names are not in the ANSI code page's
// ASCII, and narrow-character calls would not find them.
TEST(WindowsFiles, NonAsciiFoldersAreReadAndWritten) {
    ScratchMedia scratch;
    std::string folder = scratch.path("Zo\xC3\xAB \xE6\x97\xA5\xE6\x9C\xAC");  // Zoë 日本
    fs::create_directories(fs::u8path(folder));
    std::string file = folder + "\\game.ini";

    ASSERT_EQ(replaceFileContents(file, "[Game]\nWidth=800\n"), "");
    EXPECT_EQ(contents(file), "[Game]\nWidth=800\n");
    EXPECT_EQ(iniGetInt(readIniFile(file), "Game", "Width", 0), 800);
    // The name as Windows itself holds it.
    EXPECT_NE(GetFileAttributesW(fs::u8path(file).wstring().c_str()), INVALID_FILE_ATTRIBUTES);

    setMediaFolder(folder);
    EXPECT_EQ(buildMediaPath("game.ini"), file);  // joined with '\\'
    std::FILE* opened = openFile(buildMediaPath("GAME.INI"), "rb");  // the system ignores case
    ASSERT_NE(opened, nullptr);
    std::fclose(opened);
}

TEST(WindowsFiles, TheSaveReplacesTheOldFileAndLeavesNoTemporaryFile) {
    ScratchMedia scratch;
    std::string file = scratch.path("game.ini");
    scratch.write("game.ini", "old");
    ASSERT_EQ(replaceFileContents(file, "new contents"), "");
    EXPECT_EQ(contents(file), "new contents");
    EXPECT_FALSE(fs::exists(fs::u8path(file + ".tmp")));
    ASSERT_EQ(replaceFileContents(file, ""), "");
    EXPECT_EQ(contents(file), "");
}

// A file another program holds open without sharing (an editor, a virus
// scanner) cannot be replaced: the save fails, the old file stays whole.
TEST(WindowsFiles, AFileHeldOpenKeepsItsOldContents) {
    ScratchMedia scratch;
    std::string file = scratch.path("game.ini");
    scratch.write("game.ini", "old");
    std::wstring wide = fs::u8path(file).wstring();
    HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // A reason in Windows' own words (a sharing violation; "Access denied"
    // under Wine), for the player's message.
    EXPECT_NE(replaceFileContents(file, "new"), "");
    CloseHandle(held);
    EXPECT_EQ(contents(file), "old");
    EXPECT_FALSE(fs::exists(fs::u8path(file + ".tmp")));
    EXPECT_NE(replaceFileContents(scratch.path("no-such-folder\\game.ini"), "new"), "");
}

TEST(WindowsFiles, ProgramFilesAndFoldersWithoutWriteAccessTakeNoGameFiles) {
    ScratchMedia scratch;
    EXPECT_TRUE(folderAcceptsGameFiles(scratch.folder));

    std::string programs = knownFolder(CSIDL_PROGRAM_FILES);
    ASSERT_FALSE(programs.empty());
    std::string installed = programs + "\\Vexar test install";
    fs::create_directories(fs::u8path(installed));
    EXPECT_FALSE(folderAcceptsGameFiles(installed));
    EXPECT_FALSE(folderAcceptsGameFiles(programs));
    // A folder whose name only starts like Program Files is not under it.
    std::string lookalike = programs + " and more";
    fs::create_directories(fs::u8path(lookalike));
    EXPECT_TRUE(folderAcceptsGameFiles(lookalike));
    fs::remove_all(fs::u8path(installed));
    fs::remove_all(fs::u8path(lookalike));
}

TEST(WindowsFiles, ThePlayersOwnFolderIsVexarInAppData) {
    std::string own = perUserFolder();
    std::string appData = knownFolder(CSIDL_APPDATA);
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(own, appData + "\\Vexar\\");
    EXPECT_TRUE(fs::is_directory(fs::u8path(own)));
}

}  // namespace
