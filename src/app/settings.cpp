#include "app/settings.h"

#include "platform/ini_file.h"
#include "platform/user_file.h"

GameSettings gameSettings;

namespace {

const char kSettingsFile[] = "game.ini";
const char kSection[] = "Game";

struct SettingsKey {
    const char* name;
    int GameSettings::*field;
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
};

}  // namespace

void loadSettings(GameSettings& settings) {
    loadSettingsFrom(userFilePathForReading(kSettingsFile), settings);
}

void loadSettingsFrom(const std::string& path, GameSettings& settings) {
    const GameSettings defaults;
    IniFile ini = readIniFile(path);
    for (const auto& key : kKeys)
        settings.*key.field = iniGetInt(ini, kSection, key.name, defaults.*key.field);
}

std::vector<SettingsEntry> settingsEntries(const GameSettings& settings) {
    std::vector<SettingsEntry> entries;
    for (const auto& key : kKeys) entries.push_back({key.name, settings.*key.field});
    return entries;
}

void saveSettings(const GameSettings& settings) {
    std::string path = userFilePathForWriting(kSettingsFile);
    if (path.empty()) return;
    IniFile ini = readIniFile(path);
    for (const auto& key : kKeys)
        iniSetValue(ini, kSection, key.name, std::to_string(settings.*key.field));
    // Like the original's profile writes, a failure here is not reported.
    writeIniFile(path, ini);
}

void saveSettingsIfAccepted(const GameSettings& settings) {
    if (settings.accepted) saveSettings(settings);
}
