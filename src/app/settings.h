#pragma once
#include <string>
#include <vector>

// The player's choices, kept in game.ini (section "Game").
struct GameSettings {
    bool accepted = false;  // the launcher's Start was pressed; only then is game.ini written
    int windowed = 1;
    int lights = 0;  // the stereo mode ("3D" in the launcher)
    int music = 0;
    int joystick = 0;
    int width = 640;
    int height = 480;
    int useHiQualTex = 0;
    int useScreenRes = 0;  // resolution choice 0..3; 3 is the desktop's own size
    // The comforts, kept after the eight keys above; their defaults leave the
    // game exactly as it always was (Smooth motion changes only the pictures
    // between its frames).
    int soundVolume = 100;  // percent, a master gain over the sound effects
    int musicVolume = 100;  // percent, over the synthesiser's own gain
    int mouseSpeed = 100;   // percent: the pointer's distance from the centre is scaled
    int invertMouse = 0;    // 1: moving the mouse up pitches the nose down
    // 1: pictures at every display refresh, placed between the game's frames
    // (app/smooth_pictures.h); 0: one picture per frame, as the game always drew.
    int smoothMotion = 1;
};

// The ranges the comforts are kept in.
constexpr int kMinMouseSpeed = 10;
constexpr int kMaxMouseSpeed = 400;

extern GameSettings gameSettings;

// A missing file or key leaves that value at its default.
void loadSettings(GameSettings& settings);
// The same from a settings file at `path`.
void loadSettingsFrom(const std::string& path, GameSettings& settings);
// A failure keeps the old file and says so in one line on standard error.
void saveSettings(const GameSettings& settings);
// The program's very last step.
void saveSettingsIfAccepted(const GameSettings& settings);

// Each key as the file names it, in the file's order, with its value.
struct SettingsEntry {
    const char* key;
    int value;
};
std::vector<SettingsEntry> settingsEntries(const GameSettings& settings);
