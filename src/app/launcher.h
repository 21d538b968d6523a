#pragma once
#include "app/settings.h"

// What the launcher's controls hold while it is open; the settings get them
// only when Start is pressed.
struct LauncherValues {
    int windowed = 1;
    int lights = 0;
    int music = 0;
    int joystick = 0;
    int useHiQualTex = 0;
    int useScreenRes = 0;  // the list's selection, -1 for none
    int width = 640;
    int height = 480;
    // The options panel's comforts.
    int soundVolume = 100;
    int musicVolume = 100;
    int mouseSpeed = 100;
    int invertMouse = 0;
    int smoothMotion = 1;
};

// The resolution list's entries, in order, and the size each stands for.
struct ResolutionEntry {
    const char* text;
    int width, height;
};
constexpr int kResolutionCount = 4;
extern const ResolutionEntry kResolutions[kResolutionCount];

// The controls as the settings set them: a choice outside the list selects nothing.
LauncherValues launcherValuesFrom(const GameSettings& settings);
// Start: the size comes from the selected entry (640 x 480 for the first, for
// "ScreenRez" until the window is made, and for no selection), and every check
// box reads as 0 or 1. Then the values go into the settings, accepted.
void pressStart(LauncherValues& values, GameSettings& settings);

// Reads the settings, lets the player choose, and returns whether Start was
// pressed (then the choices are in the settings and accepted is set).
bool runLauncher(GameSettings& settings, const char* title);
