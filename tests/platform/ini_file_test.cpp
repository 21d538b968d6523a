#include "platform/ini_file.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace {

TEST(IniFile, KeepsWhatItDoesNotKnow) {
    IniFile ini = parseIniText(
        "; written by hand\r\n"
        "[Other]\r\n"
        "Width=1\r\n"
        "\r\n"
        "[game]\r\n"
        "# a note\r\n"
        "width = 800\r\n"
        "Extra=yes\r\n"
        "\r\n"
        "[Tail]\r\n"
        "x=1\r\n");
    EXPECT_EQ(iniGetInt(ini, "Game", "Width", 0), 800);  // names ignore case, blanks trimmed
    iniSetValue(ini, "Game", "Width", "1024");
    iniSetValue(ini, "Game", "Height", "768");
    EXPECT_EQ(iniText(ini),
              "; written by hand\r\n"
              "[Other]\r\n"
              "Width=1\r\n"
              "\r\n"
              "[game]\r\n"
              "# a note\r\n"
              "Width=1024\r\n"
              "Extra=yes\r\n"
              "Height=768\r\n"
              "\r\n"
              "[Tail]\r\n"
              "x=1\r\n");
}

// A file keeps its own line ends through a rewrite, new lines included; one
// the game starts itself ends its lines in LF.
TEST(IniFile, KeepsTheLineEndsItCameWith) {
    ScratchMedia media;
    const std::string path = media.path("game.ini");
    for (const char* end : {"\r\n", "\n"}) {
        media.write("game.ini", std::string("[Game]") + end + "Music=1" + end + "[Other]" + end + "A=1");
        IniFile ini = readIniFile(path);
        iniSetValue(ini, "Game", "Lights", "1");
        iniSetValue(ini, "Game", "Music", "0");
        ASSERT_EQ(writeIniFile(path, ini), "");
        EXPECT_EQ(readFileText(path), std::string("[Game]") + end + "Music=0" + end + "Lights=1" + end +
                                          "[Other]" + end + "A=1" + end);
    }
    IniFile fresh = parseIniText("");
    iniSetValue(fresh, "Game", "Music", "1");
    EXPECT_EQ(iniText(fresh), "[Game]\nMusic=1\n");
}

TEST(IniFile, AddsAMissingSectionAtTheEnd) {
    IniFile ini = parseIniText("[Other]\nA=1");
    iniSetValue(ini, "Game", "Music", "1");
    EXPECT_EQ(iniText(ini), "[Other]\nA=1\n\n[Game]\nMusic=1\n");
    IniFile empty;
    iniSetValue(empty, "Game", "Music", "0");
    EXPECT_EQ(iniText(empty), "[Game]\nMusic=0\n");
}

TEST(IniFile, ReadsIntegersLikeTheProfileFunctions) {
    IniFile ini = parseIniText(
        "[Game]\nA=12abc\nB=abc\nC=-7\nD=99999999999999\nE=  \nF\n[Next]\nG=5\n");
    EXPECT_EQ(iniGetInt(ini, "Game", "A", 3), 12);
    EXPECT_EQ(iniGetInt(ini, "Game", "B", 3), 0);
    EXPECT_EQ(iniGetInt(ini, "Game", "C", 3), -7);
    EXPECT_EQ(iniGetInt(ini, "Game", "D", 3), INT_MAX);
    EXPECT_EQ(iniGetInt(ini, "Game", "E", 3), 3);  // empty: as if missing
    EXPECT_EQ(iniGetInt(ini, "Game", "F", 3), 3);  // no '=': not a key
    EXPECT_EQ(iniGetInt(ini, "Game", "G", 3), 3);  // another section's key
    EXPECT_EQ(iniGetInt(ini, "Missing", "A", 3), 3);
}

TEST(IniFile, DamagedTextNeverBreaksReading) {
    const char bytes[] = "[Ga\0me]\n=\n[[[\n]]]=]\n\xff\xfe=\x01\n[Game\nWidth=5";
    std::string junk(bytes, sizeof bytes - 1);
    IniFile ini = parseIniText(junk);
    EXPECT_EQ(iniGetInt(ini, "Game", "Width", 1), 5);  // "[Game" without ']' still names Game
    iniSetValue(ini, "Game", "Height", "2");
    EXPECT_EQ(iniGetInt(parseIniText(iniText(ini)), "Game", "Height", 0), 2);
}

TEST(IniFile, WritesByRenameAndLeavesNoTemporaryFile) {
    ScratchMedia media;
    std::string path = media.path("game.ini");
    EXPECT_TRUE(readIniFile(path).lines.empty());  // missing file reads as empty
    IniFile ini = parseIniText("[Game]\nA=1\n");
    ASSERT_EQ(writeIniFile(path, ini), "");
    EXPECT_EQ(readFileText(path), "[Game]\nA=1\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(IniFile, AFailedWriteLeavesTheOldFileIntact) {
    ScratchMedia media;
    std::string path = media.path("game.ini");
    media.write("game.ini", "[Game]\nWidth=800\n");
    IniFile bigger;
    for (int i = 0; i < 200; ++i) iniSetValue(bigger, "Game", "Key" + std::to_string(i), "1");

    // A full disk, in effect: files may not grow past 16 bytes.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string reason = writeIniFile(path, bigger);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(readFileText(path), "[Game]\nWidth=800\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(IniFile, AnUnwritableFolderFailsTheWrite) {
    ScratchMedia media;
    media.write("plain-file", "x");
    EXPECT_EQ(writeIniFile(media.path("plain-file") + "/game.ini", IniFile{}), "Not a directory");
}

}  // namespace
