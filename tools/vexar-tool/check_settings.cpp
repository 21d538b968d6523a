#include "check_settings.h"

#include "app/launcher.h"
#include "app/settings.h"
#include "platform/media_path.h"

#include <cstdio>

int checkSettings(const std::string& fileName, const CheckOptions&) {
    GameSettings settings;
    loadSettingsFrom(buildMediaPath(fileName.c_str()), settings);
    for (const SettingsEntry& entry : settingsEntries(settings))
        std::printf("%s: %d\n", entry.key, entry.value);
    if (settings.useScreenRes < 0 || settings.useScreenRes >= kResolutionCount)
        return failCheck(fileName, "UseScreenRes is outside 0..3: the launcher's list of sizes is empty");
    return printResult(true);
}
