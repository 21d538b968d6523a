#pragma once

// F12: the current frame saved as a PNG (platform/screenshot_folder.h says
// where), with one line on standard error naming the file.

// Asked for by the key; taken once the frame is complete.
void askForScreenshot();
// With a frame just drawn and not shown yet; or, with `shown`, the last frame
// shown, drawn again (while paused nothing new is drawn). Does
// nothing unless asked.
void takeAskedScreenshot(int width, int height, bool shown);
