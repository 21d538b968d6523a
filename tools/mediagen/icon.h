#pragma once
// The game's desktop icon, painted afresh at each size so small ones stay crisp.
#include <string>

#include "canvas.h"

// The sizes of the hicolor theme that desktops look for.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

Canvas paintIcon(int size);

// Writes FOLDER/hicolor/NxN/apps/vexar.png for every size, and all of them in
// FOLDER/vexar.ico for Windows; false when a file could not be written.
bool writeIcons(const std::string& folder);
