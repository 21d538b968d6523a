#include "platform/video_system.h"

#include "platform/offscreen_gl.h"
#include "platform/page_notice.h"

#include <emscripten.h>

#include <cstdio>

namespace {

// The game draws with WebGL 1 (OpenGL ES 2); a canvas of the page's own is
// asked, so that the game's canvas keeps no context it did not ask for.
EM_JS(int, pageHasWebGl, (), {
    if (typeof document === "undefined") return 0;
    const canvas = document.createElement("canvas");
    return canvas.getContext("webgl") || canvas.getContext("experimental-webgl") ? 1 : 0;
});

const char kNoWebGl[] =
    "This browser gives the page no WebGL, which Vexar draws with. Turn on WebGL (or hardware "
    "acceleration) in the browser's settings, or try another browser such as a recent Firefox "
    "or Chromium.";

}  // namespace

bool prepareVideoDriver(bool) {
    if (pageHasWebGl()) return true;
    std::fprintf(stderr, "vexar: cannot open the game window: the page has no WebGL\n");
    showPageError("No WebGL", kNoWebGl);
    return false;
}

std::string displayName() { return "the page"; }

// A page has no other video driver to choose.
void preferHeadlessVideo() {}

bool windowsOutliveTheirUse() { return false; }
