#include "platform/video_system.h"

#include "platform/offscreen_gl.h"

// The page's canvas is always there to draw on; whether it gives WebGL is
// known only when the window asks for its context.
bool prepareVideoDriver(bool) { return true; }

std::string displayName() { return "the page"; }

// A page has no other video driver to choose.
void preferHeadlessVideo() {}
