#include "app/screenshot.h"

#include "app/shown_frame.h"
#include "platform/png_file.h"
#include "platform/screenshot_folder.h"
#include "render/renderer.h"

#include <cstdio>

namespace {

bool asked = false;

}  // namespace

void askForScreenshot() { asked = true; }

void takeAskedScreenshot(int width, int height, bool shown) {
    if (!asked) return;
    asked = false;
    std::string reason;
    const std::string path = newScreenshotPath(reason);
    if (path.empty()) {
        std::fprintf(stderr, "vexar: no screenshot: %s\n", reason.c_str());
        return;
    }
    const std::vector<uint8_t> picture = shown ? shownFramePicture(width, height) : readFrame(width, height);
    if (picture.empty()) {
        std::fprintf(stderr, "vexar: no screenshot: no frame has been shown yet\n");
        return;
    }
    if (writePngFile(path, picture.data(), width, height))
        std::fprintf(stderr, "vexar: screenshot saved to %s\n", path.c_str());
    else
        std::fprintf(stderr, "vexar: the screenshot %s could not be written\n", path.c_str());
}
