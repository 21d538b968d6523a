#pragma once
#include "app/settings.h"

// Reads the settings, lets the player choose, and returns whether Start was
// pressed (then the choices are in the settings and accepted is set).
bool runLauncher(GameSettings& settings, const char* title);
