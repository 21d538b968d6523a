#pragma once
#include <string>

// What SDL's video needs to know before it starts, which differs by system
// (video_system_linux.cpp, video_system_windows.cpp; they also hold
// preferHeadlessVideo of offscreen_gl.h).

// Whether there is a display to open windows on, and the driver to ask SDL
// for when none was named on purpose (`driverChosen`). False, with one line
// on standard error saying why, when there is no display at all.
bool prepareVideoDriver(bool driverChosen);
// What the windows are shown on, for messages ("display :0", "the desktop").
std::string displayName();
// Whether a window done with is hidden and left for SDL to destroy when the
// video stops (see closeLauncherWindow), not destroyed at once. Not on a
// page: there every window listens to the one canvas, and a hidden one would
// take every key and click a second time.
bool windowsOutliveTheirUse();
