#include "app/settings.h"

#include "platform/ini_file.h"
#include "platform/user_file.h"

#include <climits>
#include <cstdio>

GameSettings gameSettings;

namespace {

const char kSettingsFile[] = "game.ini";
const char kSection[] = "Game";

struct SettingsKey {
    const char* name;
    int GameSettings::*field;
    int low = INT_MIN, high = INT_MAX;  // values read outside are brought inside
};

// The order in which the keys are read and written.
const SettingsKey kKeys[] = {
    {"Windowed", &GameSettings::windowed},
    {"Lights", &GameSettings::lights},
    {"Music", &GameSettings::music},
    {"Joystick", &GameSettings::joystick},
    {"UseHiQualTex", &GameSettings::useHiQualTex},
    {"Width", &GameSettings::width},
    {"Height", &GameSettings::height},
    {"UseScreenRes", &GameSettings::useScreenRes},
    {"SoundVolume", &GameSettings::soundVolume, 0, 100},
    {"MusicVolume", &GameSettings::musicVolume, 0, 100},
    {"MouseSpeed", &GameSettings::mouseSpeed, kMinMouseSpeed, kMaxMouseSpeed},
    {"InvertMouse", &GameSettings::invertMouse, 0, 1},
    {"SmoothMotion", &GameSettings::smoothMotion, 0, 1},
};

}  // namespace

void loadSettings(GameSettings& settings) {
    loadSettingsFrom(userFilePathForReading(kSettingsFile), settings);
}

void loadSettingsFrom(const std::string& path, GameSettings& settings) {
    const GameSettings defaults;
    IniFile ini = readIniFile(path);
    for (const auto& key : kKeys) {
        const int value = iniGetInt(ini, kSection, key.name, defaults.*key.field);
        settings.*key.field = value < key.low ? key.low : value > key.high ? key.high : value;
    }
}

std::vector<SettingsEntry> settingsEntries(const GameSettings& settings) {
    std::vector<SettingsEntry> entries;
    for (const auto& key : kKeys) entries.push_back({key.name, settings.*key.field});
    return entries;
}

void saveSettings(const GameSettings& settings) {
    std::string path = userFilePathForWriting(kSettingsFile);
    if (path.empty()) {
        std::fprintf(stderr, "vexar: the settings were not saved: no folder to keep %s in\n",
                     kSettingsFile);
        return;
    }
    IniFile ini = readIniFile(path);
    for (const auto& key : kKeys)
        iniSetValue(ini, kSection, key.name, std::to_string(settings.*key.field));
    // The old file stays as it was; the player learns that the choices are lost.
    const std::string reason = writeIniFile(path, ini);
    if (!reason.empty())
        std::fprintf(stderr, "vexar: the settings were not saved to %s: %s\n", path.c_str(),
                     reason.c_str());
}

void saveSettingsIfAccepted(const GameSettings& settings) {
    if (settings.accepted) saveSettings(settings);
}
