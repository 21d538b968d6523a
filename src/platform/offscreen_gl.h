#pragma once

// A hidden window with a current OpenGL compatibility context, for tools and
// tests that run the game's GL code without showing anything.
struct OffscreenGl;

// Makes the contexts without a display where the system can (SDL's offscreen
// driver on Linux; Windows has no such driver, and its hidden window shows
// nothing all the same), unless the environment's SDL_VIDEODRIVER names
// another driver. In video_system_linux.cpp and video_system_windows.cpp.
void preferHeadlessVideo();

// Returns nullptr (and prints why on standard error) when no context can be made.
OffscreenGl* createOffscreenGl(int width, int height);
void destroyOffscreenGl(OffscreenGl* gl);
