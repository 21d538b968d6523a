#include "platform/video_system.h"

#include "platform/offscreen_gl.h"

// Windows always has its desktop; SDL picks its one driver.
bool prepareVideoDriver(bool) { return true; }

std::string displayName() { return "the desktop"; }

// SDL has no display-less OpenGL on Windows: the replay's window is made
// hidden on the desktop, which shows nothing all the same.
void preferHeadlessVideo() {}

bool windowsOutliveTheirUse() { return true; }
