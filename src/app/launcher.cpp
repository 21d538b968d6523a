#include "app/launcher.h"

// Until the launcher window exists, game.ini is taken as it stands, as if
// Start had been pressed at once.
bool runLauncher(GameSettings& settings, const char*) {
    loadSettings(settings);
    settings.accepted = true;
    return true;
}
