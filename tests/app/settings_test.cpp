#include "app/settings.h"
#include "platform/media_path.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

GameSettings chosenSettings() {
    GameSettings s;
    s.windowed = 0;
    s.lights = 1;
    s.music = 1;
    s.joystick = 1;
    s.useHiQualTex = 1;
    s.width = 1920;
    s.height = 1080;
    s.useScreenRes = 3;
    s.soundVolume = 40;
    s.musicVolume = 0;
    s.mouseSpeed = 250;
    s.invertMouse = 1;
    s.smoothMotion = 0;
    return s;
}

void expectSameValues(const GameSettings& a, const GameSettings& b) {
    EXPECT_EQ(a.windowed, b.windowed);
    EXPECT_EQ(a.lights, b.lights);
    EXPECT_EQ(a.music, b.music);
    EXPECT_EQ(a.joystick, b.joystick);
    EXPECT_EQ(a.useHiQualTex, b.useHiQualTex);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.useScreenRes, b.useScreenRes);
    EXPECT_EQ(a.soundVolume, b.soundVolume);
    EXPECT_EQ(a.musicVolume, b.musicVolume);
    EXPECT_EQ(a.mouseSpeed, b.mouseSpeed);
    EXPECT_EQ(a.invertMouse, b.invertMouse);
    EXPECT_EQ(a.smoothMotion, b.smoothMotion);
}

TEST(Settings, NoFileGivesTheDefaults) {
    ScratchMedia media;
    GameSettings loaded = chosenSettings();
    loadSettings(loaded);
    expectSameValues(loaded, GameSettings{});
    EXPECT_EQ(loaded.windowed, 1);
    EXPECT_EQ(loaded.width, 640);
    EXPECT_EQ(loaded.height, 480);
    EXPECT_EQ(loaded.useScreenRes, 0);
    EXPECT_FALSE(loaded.accepted);
}

TEST(Settings, RoundTripWritesTheEightKeysThenTheComfortsInOrder) {
    ScratchMedia media;
    saveSettings(chosenSettings());
    EXPECT_EQ(readFileText(media.path("game.ini")),
              "[Game]\nWindowed=0\nLights=1\nMusic=1\nJoystick=1\nUseHiQualTex=1\n"
              "Width=1920\nHeight=1080\nUseScreenRes=3\n"
              "SoundVolume=40\nMusicVolume=0\nMouseSpeed=250\nInvertMouse=1\nSmoothMotion=0\n");
    GameSettings loaded;
    loadSettings(loaded);
    expectSameValues(loaded, chosenSettings());
}

TEST(Settings, SavingKeepsUnknownSectionsAndComments) {
    ScratchMedia media;
    media.write("game.ini", "; my settings\n[Mods]\nGravity=2\n[Game]\nHeight=600\nCheat=1\n");
    saveSettings(GameSettings{});
    EXPECT_EQ(readFileText(media.path("game.ini")),
              "; my settings\n[Mods]\nGravity=2\n[Game]\nHeight=480\nCheat=1\nWindowed=1\n"
              "Lights=0\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=640\nUseScreenRes=0\n"
              "SoundVolume=100\nMusicVolume=100\nMouseSpeed=100\nInvertMouse=0\n"
              "SmoothMotion=1\n");
}

TEST(Settings, ComfortsOutsideTheirRangesAreBroughtInside) {
    ScratchMedia media;
    media.write("game.ini", "[Game]\nSoundVolume=150\nMusicVolume=-3\nMouseSpeed=1\nInvertMouse=7\nSmoothMotion=-2\n"
                            "Width=-5\n");
    GameSettings loaded;
    loadSettings(loaded);
    EXPECT_EQ(loaded.soundVolume, 100);
    EXPECT_EQ(loaded.musicVolume, 0);
    EXPECT_EQ(loaded.mouseSpeed, kMinMouseSpeed);
    EXPECT_EQ(loaded.invertMouse, 1);
    EXPECT_EQ(loaded.smoothMotion, 0);
    EXPECT_EQ(loaded.width, -5);  // the eight keys are read as they stand
}

TEST(Settings, MissingKeysTakeTheirDefaultsAndDamageDoesNoHarm) {
    ScratchMedia media;
    const char bytes[] = "[Game]\nWidth=1024\nHeight=\x80\x81\nMusic\nWindowed=\n\0\0\0";
    media.write("game.ini", std::string(bytes, sizeof bytes - 1));
    GameSettings loaded = chosenSettings();
    loadSettings(loaded);
    EXPECT_EQ(loaded.width, 1024);
    EXPECT_EQ(loaded.height, 0);  // a value that is no number reads as 0
    EXPECT_EQ(loaded.music, 0);
    EXPECT_EQ(loaded.windowed, 1);  // an empty value is the default, not 0 (full screen)
}

TEST(Settings, OnlyAcceptedSettingsAreSavedAtExit) {
    ScratchMedia media;
    GameSettings s = chosenSettings();
    saveSettingsIfAccepted(s);
    EXPECT_FALSE(std::filesystem::exists(media.path("game.ini")));
    s.accepted = true;
    saveSettingsIfAccepted(s);
    EXPECT_TRUE(std::filesystem::exists(media.path("game.ini")));
}

// The settings are read from and written back to one file: a "GAME.INI"
// made by hand is that file when there is no "game.ini", as it would be on a
// file system that ignores case.
TEST(Settings, AFileNamedInAnotherCaseIsReadAndWrittenInPlace) {
    ScratchMedia media;
    media.write("GAME.INI", "[Game]\nWidth=800\n");
    GameSettings loaded;
    loadSettings(loaded);
    EXPECT_EQ(loaded.width, 800);
    saveSettings(chosenSettings());
    EXPECT_FALSE(std::filesystem::exists(media.path("game.ini")));
    EXPECT_NE(readFileText(media.path("GAME.INI")).find("Width=1920\n"), std::string::npos);
}

TEST(Settings, AMissingMediaFolderIsCreated) {
    ScratchMedia media;
    std::filesystem::remove_all(media.folder);
    saveSettings(chosenSettings());
    EXPECT_TRUE(std::filesystem::exists(media.path("game.ini")));
}

TEST(Settings, AnUnwritableMediaFolderFallsBackToThePlayersOwnFolder) {
    ScratchMedia scratch;
    // A media folder that can never be made: its parent is a plain file.
    scratch.write("not-a-folder", "x");
    std::string home = scratch.path("data-home");
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    struct Restore {
        ~Restore() { unsetenv("XDG_DATA_HOME"); }
    } restore;
    setMediaFolder(scratch.path("not-a-folder") + "/media");

    saveSettings(chosenSettings());
    std::string own = home + "/vexar/game.ini";
    ASSERT_TRUE(std::filesystem::exists(own));
    EXPECT_NE(readFileText(own).find("Width=1920\n"), std::string::npos);
    GameSettings loaded;
    loadSettings(loaded);
    expectSameValues(loaded, chosenSettings());
}

}  // namespace
