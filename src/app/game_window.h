#pragma once

// The game window and its OpenGL context, sized and moded by the settings.

// Starts the window system; a failure shows when the window is created.
void registerGameWindowClass();
// With useScreenRes 3, the desktop size replaces the settings' width and
// height. A window holds the pointer inside, unless told not to (a demo).
bool createGameWindow(bool holdPointer = true);
// The quit key's tear-down: display mode, cursor and context go back.
void destroyGameContext();
void swapGameBuffers();
// "Vexar (paused)" in the title while paused, "Vexar" otherwise.
void showPausedInTitle(bool paused);
