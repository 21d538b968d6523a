#include "app/launcher.h"

#include "model/picture.h"
#include "platform/launcher_window.h"

#include <vector>

const ResolutionEntry kResolutions[kResolutionCount] = {
    {"640x480", 640, 480},
    {"800x600", 800, 600},
    {"1024x800", 1024, 800},  // not 1024 x 768: the size the game has always stored
    {"ScreenRez", 640, 480},  // the desktop's size replaces it when the window is made
};

namespace {

constexpr int kLauncherWidth = 640;
constexpr int kLauncherHeight = 480;

int checkState(int value) { return value != 0 ? 1 : 0; }

}  // namespace

LauncherValues launcherValuesFrom(const GameSettings& settings) {
    LauncherValues values;
    values.windowed = settings.windowed;
    values.lights = settings.lights;
    values.music = settings.music;
    values.joystick = settings.joystick;
    values.useHiQualTex = settings.useHiQualTex;
    bool listed = settings.useScreenRes >= 0 && settings.useScreenRes < kResolutionCount;
    values.useScreenRes = listed ? settings.useScreenRes : -1;
    values.width = settings.width;
    values.height = settings.height;
    values.soundVolume = settings.soundVolume;
    values.musicVolume = settings.musicVolume;
    values.mouseSpeed = settings.mouseSpeed;
    values.invertMouse = settings.invertMouse;
    values.smoothMotion = settings.smoothMotion;
    return values;
}

void pressStart(LauncherValues& values, GameSettings& settings) {
    // An index of 0 or less, no selection included, is the first entry's size.
    int entry = values.useScreenRes > 0 && values.useScreenRes < kResolutionCount
                    ? values.useScreenRes
                    : 0;
    values.width = kResolutions[entry].width;
    values.height = kResolutions[entry].height;
    settings.windowed = checkState(values.windowed);
    settings.lights = checkState(values.lights);
    settings.music = checkState(values.music);
    settings.joystick = checkState(values.joystick);
    settings.useHiQualTex = checkState(values.useHiQualTex);
    settings.width = values.width;
    settings.height = values.height;
    settings.useScreenRes = values.useScreenRes;
    settings.soundVolume = values.soundVolume;
    settings.musicVolume = values.musicVolume;
    settings.mouseSpeed = values.mouseSpeed;
    settings.invertMouse = checkState(values.invertMouse);
    settings.smoothMotion = checkState(values.smoothMotion);
    settings.accepted = true;
}

bool runLauncher(GameSettings& settings, const char* title) {
    loadSettings(settings);
    LauncherValues values = launcherValuesFrom(settings);

    LauncherForm form;
    form.title = title;
    form.width = kLauncherWidth;
    form.height = kLauncherHeight;
    // No picture is no error: the launcher works the same without one.
    std::vector<uint8_t> splash;
    if (loadPicture("splash.jpg", splash, form.pictureWidth, form.pictureHeight))
        form.picture = &splash;

    const char* entries[kResolutionCount];
    for (int i = 0; i < kResolutionCount; ++i) entries[i] = kResolutions[i].text;
    form.label = "Rez";
    form.labelBox = {0, 0, 32, 24};
    form.entries = entries;
    form.entryCount = kResolutionCount;
    form.listBox = {32, 0, 96, 100};
    form.selected = &values.useScreenRes;
    const LauncherCheckBox checkBoxes[] = {
        {"Windowed", {128, 0, 96, 24}, &values.windowed},
        {"3D", {224, 0, 96, 24}, &values.lights},
        {"Music", {320, 0, 96, 24}, &values.music},
        {"Joystick", {416, 0, 96, 24}, &values.joystick},
        {"HiQTexture", {512, 0, 128, 24}, &values.useHiQualTex},
    };
    form.checkBoxes = checkBoxes;
    form.checkBoxCount = int(sizeof checkBoxes / sizeof checkBoxes[0]);
    form.startLabel = "Start";
    form.startBox = {564, 416, 64, 32};
    // In the free space left of Start, the same height.
    form.optionsLabel = "Options";
    form.optionsBox = {488, 416, 68, 32};
    const LauncherSlider sliders[] = {
        {"Sound volume", 0, 100, "%d %%", &values.soundVolume},
        {"Music volume", 0, 100, "%d %%", &values.musicVolume},
        {"Mouse speed", kMinMouseSpeed, kMaxMouseSpeed, "%d %%", &values.mouseSpeed},
    };
    form.sliders = sliders;
    form.sliderCount = int(sizeof sliders / sizeof sliders[0]);
    const LauncherCheckBox switches[] = {{"Invert mouse", {0, 0, 0, 0}, &values.invertMouse},
                                         {"Smooth motion", {0, 0, 0, 0}, &values.smoothMotion}};
    form.optionCheckBoxes = switches;
    form.optionCheckBoxCount = int(sizeof switches / sizeof switches[0]);

    settings.accepted = false;
    if (!runLauncherWindow(form)) return false;
    pressStart(values, settings);
    return true;
}
