#pragma once

// The game window and its OpenGL context, sized and moded by the settings.

// Starts the window system; a failure shows when the window is created.
void registerGameWindowClass();
// With useScreenRes 3, the desktop size replaces the settings' width and
// height. A window holds the pointer inside, unless told not to (a demo).
bool createGameWindow(bool holdPointer = true);
// The quit key's tear-down: display mode, cursor and context go back.
void destroyGameContext();
// Shows the frame just drawn (app/shown_frame.h can draw it again).
void swapGameBuffers();
// "Vexar (paused)" in the title while paused, "Vexar" otherwise; in full
// screen, pausing shows the frozen picture again with "PAUSED" on it.
void showPaused(bool paused);
// F11: window or full screen; a paused game shows its frozen picture again.
void toggleGameFullScreen(bool paused);
